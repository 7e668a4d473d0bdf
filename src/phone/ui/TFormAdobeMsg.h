#pragma once

#include <QDialog>
#include <QUrl>
#include <functional>

// Tells the user that the manual needs a PDF reader and offers a link to get one. The link is opened through
// the function given, so the caller decides how URLs are opened.
class TFormAdobeMsg final : public QDialog {
    Q_OBJECT

public:
    using UrlOpener = std::function<void(const QUrl&)>;

    static QUrl readerUrl();

    explicit TFormAdobeMsg(UrlOpener openUrl, QWidget* parent = nullptr);

private:
    UrlOpener m_openUrl;
};
