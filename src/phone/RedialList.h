#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The numbers dialled from the telephone window, most recent first, and a cursor to step through them with the
// redial keys. A line may carry the "/" mark of a dialling sequence in front of its number; the same number
// without the mark counts as the same entry. The list lives in a small text file, one number a line.
class RedialList final {
public:
    // Capacity empty lines, nothing counted, the cursor on the first line. A capacity below 1 counts as 1.
    explicit RedialList(int capacity);

    // Reads the file, creating it (and its folder) empty when it is missing. A file that exists but cannot be
    // read leaves the list empty and makes every later save() refuse, so the user's numbers are not overwritten.
    bool load(const QString& path);
    // Replaces the file at once with the counted lines; false when it cannot, and the old file stays.
    bool save(const QString& path);

    // Puts number at the front: an entry already in the list moves there, a new one pushes the oldest out.
    void add(const QString& number);
    // The entry after the cursor, wrapping round; from a reset cursor the most recent one. nullopt when empty.
    std::optional<QString> next();
    // The entry before the cursor, wrapping round; from a reset cursor the oldest one. nullopt when empty.
    std::optional<QString> prev();
    // Ends browsing: the cursor stands before the first line.
    void resetCursor() { m_cursor = -1; }
    // The 1-based position of the first counted line holding number, with or without the "/" mark; 0 when none.
    int find(const QString& number) const;

    const QStringList& lines() const { return m_lines; }
    int count() const { return m_count; }
    int capacity() const { return m_capacity; }
    int cursor() const { return m_cursor; }

    // Guards against a damaged file: more lines are dropped, longer lines are cut.
    static constexpr int MaxFileLines = 1000;
    static constexpr int MaxLineLength = 80;

private:
    void clear();
    void padToCapacity();

    QStringList m_lines;
    int m_capacity;
    int m_count = 0;
    int m_cursor = 0;
    bool m_saveRefused = false;
};
