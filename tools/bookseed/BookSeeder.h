#pragma once

#include <QString>

class BookDialogsPort;

namespace bookseed {

struct SeedRequest;

// Opens a phone book as the client opens its private book and adds the requested contacts in one transaction:
// all of them or, when one fails, none.
class BookSeeder final {
public:
    struct Result {
        bool ok = false;
        int added = 0;
        QString error;
    };

    explicit BookSeeder(BookDialogsPort& dialogs);

    Result seed(const SeedRequest& request);

private:
    BookDialogsPort& m_dialogs;
};

} // namespace bookseed
