#pragma once

#include <QList>
#include <QWidget>
#include <functional>

class QListWidget;
class QListWidgetItem;
class QPushButton;

// The two-list choice of transfer columns: the columns left out on the left, the chosen ones in their order on the
// right, moved one at a time (">", "<", or a double click) or all at once (">>", "<<").
class TransferColumnChoice final : public QWidget {
    Q_OBJECT

public:
    // title: "Columns for export" or "Columns for import"; text gives each code's entry.
    TransferColumnChoice(const QString& title, std::function<QString(int)> text, QWidget* parent = nullptr);

    QList<int> chosenCodes() const;
    void setChosenCodes(const QList<int>& codes);

    QListWidget& available() { return *m_available; }
    QListWidget& chosen() { return *m_chosen; }
    QPushButton& addButton() { return *m_add; }
    QPushButton& addAllButton() { return *m_addAll; }
    QPushButton& removeButton() { return *m_remove; }
    QPushButton& removeAllButton() { return *m_removeAll; }

signals:
    void choiceChanged();

private:
    void moveSelected(QListWidget& from, QListWidget& to);
    void moveAll(QListWidget& from, QListWidget& to);
    void place(QListWidget& list, QListWidgetItem* item);
    void addEntry(QListWidget& list, int code);
    void updateButtons();

    std::function<QString(int)> m_text;
    QListWidget* m_available;
    QListWidget* m_chosen;
    QPushButton* m_add;
    QPushButton* m_addAll;
    QPushButton* m_remove;
    QPushButton* m_removeAll;
};
