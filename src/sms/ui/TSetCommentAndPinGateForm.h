#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// "Set data GSM gate": the comment and the PIN (at most four characters, never shown) of one gate.
class TSetCommentAndPinGateForm final : public QDialog {
    Q_OBJECT

public:
    static constexpr int PinLength = 4;

    TSetCommentAndPinGateForm(int gate, const QString& comment, const QString& pin, QWidget* parent = nullptr);

    int gate() const { return m_gate; }
    QString comment() const { return m_comment.text(); }
    QString pin() const { return m_pin.text(); }

    QLineEdit& commentField() { return m_comment; }
    QLineEdit& pinField() { return m_pin; }
    QPushButton& okButton() { return m_ok; }

private:
    int m_gate;
    QLineEdit m_comment;
    QLineEdit m_pin;
    QPushButton m_ok;
    QPushButton m_cancel;
};
