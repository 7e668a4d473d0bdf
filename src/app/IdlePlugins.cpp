#include "app/IdlePlugins.h"

#include "plugins/HookRecord.h"
#include "settings/Lang.h"

#include <QFileInfo>

IdlePlugins::IdlePlugins(QString folder, std::function<void(const QString& text)> show, QObject* parent)
    : QObject(parent)
    , m_folder(std::move(folder))
    , m_show(std::move(show))
{
    m_mouse.fileName = QStringLiteral("MouseHook.so");
    m_keyboard.fileName = QStringLiteral("KeyboardHook.so");
}

IdlePlugins::~IdlePlugins()
{
    // The plug-ins' threads end before this object, which their reports name, goes.
    removeHooks();
}

void IdlePlugins::showOnce(const QString& text)
{
    if (!m_shown.contains(text)) {
        m_shown.insert(text);
        m_show(text);
    }
}

void IdlePlugins::reportActivity(void* context)
{
    auto* self = static_cast<IdlePlugins*>(context);
    QMetaObject::invokeMethod(
        self, [self] { emit self->activity(); }, Qt::QueuedConnection);
}

bool IdlePlugins::load(Plugin& plugin, const QString& notFound, const QString& improper)
{
    if (plugin.ready) {
        return true;
    }
    const QString path = m_folder + plugin.fileName;
    plugin.library.setFileName(path);
    if (!QFileInfo::exists(path) || !plugin.library.load()) {
        showOnce(notFound);
        return false;
    }
    const auto getRecord = reinterpret_cast<GetMsgRecPointerFunction>(plugin.library.resolve("GetMsgRecPointer"));
    if (getRecord == nullptr) {
        showOnce(improper);
        plugin.library.unload();
        return false;
    }
    TervoHookRecord* record = getRecord();
    if (record == nullptr) {
        showOnce(improper);
        return false;
    }
    record->activity = &IdlePlugins::reportActivity;
    record->context = this;
    plugin.ready = true;
    return true;
}

bool IdlePlugins::loadHooks()
{
    if (m_installed) {
        return true;
    }
    const bool mouse = load(m_mouse, Lang::_("Error: MouseHook.so not found."),
                            Lang::_("Error: Improper version of MouseHook.so file."));
    const bool keyboard = load(m_keyboard, Lang::_("Error: KeyboardHook.so not found."),
                               Lang::_("Improper version of KeyboardHook.so file."));
    if (!mouse || !keyboard) {
        return false;
    }
    const auto installMouse = reinterpret_cast<InstallHookFunction>(m_mouse.library.resolve("_InstallHook"));
    const auto installKeyboard = reinterpret_cast<InstallHookFunction>(m_keyboard.library.resolve("_InstallHook"));
    if (installMouse == nullptr || installKeyboard == nullptr) {
        return false;
    }
    if (!installMouse() || !installKeyboard()) {
        showOnce(Lang::_("Call forwarding is not active! Files MouseHook.so and KeyboardHook.so haven't been found "
                         "in plugin subdirectory."));
        return false;
    }
    m_installed = true;
    return true;
}

bool IdlePlugins::removeHooks()
{
    if (!m_installed) {
        // Nothing was installed: a plug-in that loaded without its partner only goes.
        for (Plugin* plugin : {&m_mouse, &m_keyboard}) {
            if (plugin->ready) {
                plugin->library.unload();
                plugin->ready = false;
            }
        }
        return true;
    }
    const auto removeMouse = reinterpret_cast<RemoveHookFunction>(m_mouse.library.resolve("_RemoveHook"));
    const auto removeKeyboard = reinterpret_cast<RemoveHookFunction>(m_keyboard.library.resolve("_RemoveHook"));
    if (removeMouse == nullptr || removeKeyboard == nullptr) {
        return false;
    }
    const bool mouseRemoved = removeMouse();
    const bool keyboardRemoved = removeKeyboard();
    if (!mouseRemoved || !keyboardRemoved) {
        showOnce(QStringLiteral("Nie mogę usunąć haka!"));
        return false;
    }
    m_installed = false;
    return removeHooks();
}
