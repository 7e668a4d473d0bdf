#pragma once

#include "phone/IdleDetection.h"

#include <QLibrary>
#include <QObject>
#include <QSet>
#include <functional>

struct TervoHookRecord;

// The two activity plug-ins of idle detection, "MouseHook.so" and "KeyboardHook.so" in the program's plugin/
// folder, loaded and installed when an idle function is switched on and removed when the last is switched off.
// Their reports arrive on the plug-ins' threads and are passed on as activity() on this object's thread. Missing
// or wrong plug-ins are told once each.
class IdlePlugins final : public QObject, public IdleHooks {
    Q_OBJECT

public:
    // folder ends with "/"; show puts a message in front of the user.
    IdlePlugins(QString folder, std::function<void(const QString& text)> show, QObject* parent = nullptr);
    ~IdlePlugins() override;

    bool loadHooks() override;
    bool removeHooks() override;
    bool isInstalled() const { return m_installed; }

signals:
    void activity();

private:
    struct Plugin {
        QString fileName;
        QLibrary library;
        bool ready = false; // loaded, with its record filled
    };

    bool load(Plugin& plugin, const QString& notFound, const QString& improper);
    void showOnce(const QString& text);
    static void reportActivity(void* context);

    QString m_folder;
    std::function<void(const QString& text)> m_show;
    Plugin m_mouse;
    Plugin m_keyboard;
    bool m_installed = false;
    QSet<QString> m_shown;
};
