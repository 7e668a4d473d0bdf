#include "books/ui/TPhoneBookOptionsForm.h"

#include "settings/Lang.h"
#include "settings/SettingsRecord.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

using Lang::_;

TPhoneBookOptionsForm::TPhoneBookOptionsForm(SettingsRecord& settings, std::function<void()> saveSettings,
                                             QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_saveSettings(std::move(saveSettings))
{
    setObjectName(QStringLiteral("TPhoneBookOptionsForm"));
    setWindowTitle(_("Searching options"));
    auto* modes = new QGroupBox(_("During entering marks on display, search the names"));
    auto* modeLayout = new QVBoxLayout(modes);
    const char* const texts[] = {QT_TR_NOOP("including words starting with signs"), QT_TR_NOOP("starting with sign"),
                                 QT_TR_NOOP("including character string")};
    for (int mode = 0; mode < 3; ++mode) {
        auto* radio = new QRadioButton(_(texts[mode]));
        m_mode.addButton(radio, mode);
        modeLayout->addWidget(radio);
    }
    m_ignoreDiacritics.setText(_("Ignore diacritical marks"));
    modeLayout->addWidget(&m_ignoreDiacritics);
    auto* filters = new QGroupBox(_("Filter "));
    auto* filterLayout = new QVBoxLayout(filters);
    m_filterNames.setText(_("Names in a phone book"));
    m_filterNumbers.setText(_("Numbers in a phone book"));
    filterLayout->addWidget(&m_filterNames);
    filterLayout->addWidget(&m_filterNumbers);
    auto* note = new QLabel(_("Size of letters in notes and text does not need to be compatible"));
    note->setWordWrap(true);
    m_ok.setText(_("&OK"));
    m_cancel.setText(_("&Cancel"));
    m_ok.setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(&m_ok);
    buttons->addWidget(&m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(modes);
    layout->addWidget(filters);
    layout->addWidget(note);
    layout->addLayout(buttons);
    connect(&m_ok, &QPushButton::clicked, this, [this] {
        store();
        accept();
    });
    connect(&m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    load();
}

void TPhoneBookOptionsForm::load()
{
    const auto& book = m_settings.Ksiazka;
    if (QAbstractButton* mode = m_mode.button(book.SzukajNazw >= 0 && book.SzukajNazw <= 2 ? book.SzukajNazw : 2)) {
        mode->setChecked(true);
    }
    m_ignoreDiacritics.setChecked(book.IgnorujPolskieZnaki);
    m_filterNames.setChecked(book.FiltrNazw);
    m_filterNumbers.setChecked(book.FiltrNumerow);
}

void TPhoneBookOptionsForm::store()
{
    auto& book = m_settings.Ksiazka;
    book.SzukajNazw = std::max(0, m_mode.checkedId());
    book.IgnorujPolskieZnaki = m_ignoreDiacritics.isChecked();
    book.FiltrNazw = m_filterNames.isChecked();
    book.FiltrNumerow = m_filterNumbers.isChecked();
    m_saveSettings();
    emit optionsChanged();
}
