#include "sms/ui/TChangeComment.h"

#include "settings/Lang.h"
#include "sms/ui/TSetCommentAndPinGateForm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

enum Column { GateColumn, CommentColumn, ColumnCount };

} // namespace

TChangeComment::TChangeComment(SettingsRecord& settings, Save save, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_save(std::move(save))
    , m_gates(settings.Gate)
    , m_grid(SettingsRecord::GateCount, ColumnCount)
    , m_apply(Lang::_("Apply"))
    , m_ok(Lang::_("&OK"))
    , m_cancel(Lang::_("Cancel"))
{
    setWindowTitle(Lang::_("Enter descriptions and pins for each GSM gate"));
    m_grid.setHorizontalHeaderLabels({Lang::_("Number of gate"), Lang::_("Description GSM gate")});
    m_grid.horizontalHeader()->setStretchLastSection(true);
    m_grid.verticalHeader()->hide();
    m_grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid.setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid.setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid.setContextMenuPolicy(Qt::CustomContextMenu);
    for (int gate = 1; gate <= SettingsRecord::GateCount; ++gate) {
        m_grid.setItem(gate - 1, GateColumn, new QTableWidgetItem(QString::number(gate)));
        m_grid.setItem(gate - 1, CommentColumn, new QTableWidgetItem);
        showGate(gate);
    }
    m_grid.selectRow(0);
    QAction* change = m_menu.addAction(Lang::_("Change data"));
    change->setObjectName(QStringLiteral("ChangeData"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(&m_apply);
    buttons->addWidget(&m_ok);
    buttons->addWidget(&m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&m_grid);
    layout->addLayout(buttons);
    resize(420, 480);

    connect(&m_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_menu.popup(m_grid.viewport()->mapToGlobal(at)); });
    connect(change, &QAction::triggered, this, [this] { changeData(m_grid.currentRow() + 1); });
    connect(&m_grid, &QTableWidget::cellDoubleClicked, this, [this](int row) { changeData(row + 1); });
    connect(&m_apply, &QPushButton::clicked, this, &TChangeComment::apply);
    connect(&m_ok, &QPushButton::clicked, this, [this] {
        if (apply()) {
            accept();
        }
    });
    connect(&m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

TSetCommentAndPinGateForm* TChangeComment::changeData(int gate)
{
    if (gate < 1 || gate > SettingsRecord::GateCount) {
        return nullptr;
    }
    const auto index = static_cast<std::size_t>(gate - 1);
    auto* form = new TSetCommentAndPinGateForm(gate, m_gates.Comments[index], m_gates.Pins[index], this);
    form->setAttribute(Qt::WA_DeleteOnClose);
    connect(form, &QDialog::accepted, this, [this, form, index] {
        m_gates.Comments[index] = form->comment();
        m_gates.Pins[index] = form->pin();
        showGate(form->gate());
    });
    form->open();
    return form;
}

bool TChangeComment::apply()
{
    const SettingsRecord::GateSection previous = m_settings.Gate;
    m_settings.Gate = m_gates;
    try {
        if (m_save) {
            m_save();
        }
        return true;
    } catch (const std::exception& error) {
        // What is in the file stays what the program goes on with.
        m_settings.Gate = previous;
        QMessageBox::critical(this, windowTitle(), QString::fromLocal8Bit(error.what()));
        return false;
    }
}

void TChangeComment::showGate(int gate)
{
    m_grid.item(gate - 1, CommentColumn)->setText(m_gates.Comments[static_cast<std::size_t>(gate - 1)]);
}
