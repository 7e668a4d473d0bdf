#include "app/ContactWindows.h"

#include "app/BookNaming.h"
#include "books/database/TdbCore.h"
#include "books/ui/EditWindowList.h"

namespace {

// The longest number an extension has.
constexpr int ExtensionLength = 4;

} // namespace

ContactWindows::ContactWindows(TdbCore& books, BookNaming& naming, EditWindowList& editors,
                               std::function<void()> openSearchOptions)
    : m_books(books)
    , m_naming(naming)
    , m_editors(editors)
    , m_openSearchOptions(std::move(openSearchOptions))
{
}

int ContactWindows::positionForNew(const QString& number)
{
    return number.size() <= ExtensionLength ? 1 : 2;
}

ContactEditRequest ContactWindows::requestFor(const QString& number, ContactPage page, int newPosition)
{
    ContactEditRequest request;
    request.page = page;
    request.book = m_books.currentBookIndex();
    const QString normalised = m_naming.normaliseNumber(number);
    if (normalised.isEmpty()) {
        return request;
    }
    if (newPosition == 0) {
        const int id = m_books.findContactForNumber(normalised);
        if (id >= 0) {
            // The book that knows the number has become the current one.
            request.book = m_books.currentBookIndex();
            request.contactId = id;
            return request;
        }
        newPosition = positionForNew(normalised);
    }
    const auto position = static_cast<std::size_t>(std::clamp(newPosition, 1, Contact::NumberCount) - 1);
    request.prefill.numbers[position] = normalised;
    request.prefill.defNr = static_cast<int>(position);
    return request;
}

void ContactWindows::editNumber(const QString& number)
{
    m_editors.open(requestFor(number, ContactPage::General, 0));
}

void ContactWindows::addNumber(const QString& number, int position)
{
    if (position >= 1 && position <= Contact::NumberCount) {
        m_editors.open(requestFor(number, ContactPage::General, position));
    }
}

void ContactWindows::openNotes(const QString& number)
{
    m_editors.open(requestFor(number, ContactPage::Notes, 0));
}
