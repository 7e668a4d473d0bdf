#pragma once

#include "ContactRows.h"
#include "books/contacts/ContactGroups.h"
#include "books/ui/EditWindowList.h"
#include "books/ui/TPhoneBookForm.h"
#include "support/TdbCoreOnDisk.h"

#include <QTest>
#include <memory>

// The books on folders of their own, started, with the book window and the editing windows over them; boxes are
// recorded and questions answered by messages.answer.
struct BookWindowFixture : TdbCoreOnDisk {
    BookWindowFixture()
    {
        settings.Ksiazka.FiltrNazw = true;
        settings.Ksiazka.FiltrNumerow = true;
        settings.Ksiazka.SzukajNazw = 0;
        settings.Ksiazka.IgnorujPolskieZnaki = true;
        settings.Ksiazka.EdycjaX = -1;
        settings.Ksiazka.EdycjaY = -1;
        settings.Ksiazka.X = -1;
        settings.Ksiazka.Y = -1;
        settings.Sms.SmsKier = QStringLiteral("48");
    }
    ~BookWindowFixture() { form.reset(); }

    bool start()
    {
        if (!core.start()) {
            return false;
        }
        editors = std::make_unique<EditWindowList>(
            core, settings, [] {}, messages);
        core.setEditionCheck([this](int book) { return editors->worksOn(book); });
        TPhoneBookForm::Openers openers;
        openers.edit = [this](const ContactEditRequest& request) {
            editors->open(request);
        };
        openers.call = [this](const QString& number) {
            called.append(number);
        };
        form = std::make_unique<TPhoneBookForm>(
            core, settings, [] {}, messages, openers);
        return true;
    }

    QSqlDatabase privateBook() { return core.book(TdbCore::PrivateBook)->database(); }

    int addGroup(const QString& name) { return *ContactGroups(privateBook(), messages).add(name); }

    // The first column of every row of the name grid as shown.
    QStringList shownNames()
    {
        QStringList names;
        BookGridModel& model = form->nameModel();
        for (int row = 0; row < model.rowCount(); ++row) {
            names.append(model.data(model.index(row, 0)).toString());
        }
        return names;
    }

    RecordedMessages messages;
    std::unique_ptr<EditWindowList> editors;
    std::unique_ptr<TPhoneBookForm> form;
    QStringList called;
};
