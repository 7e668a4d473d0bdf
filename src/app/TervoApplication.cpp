#include "app/TervoApplication.h"

#include "app/ErrorLog.h"

#include <QDebug>

TervoApplication::TervoApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool TervoApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& exception) {
        qCritical() << "Exception in an event handler:" << exception.what();
        if (m_errorLog != nullptr) {
            m_errorLog->recordException(exception);
        }
    } catch (...) {
        qCritical() << "Exception of unknown type in an event handler";
        if (m_errorLog != nullptr) {
            m_errorLog->recordUnknownException();
        }
    }
    return false;
}
