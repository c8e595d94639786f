#include "platform/qt/key_filter.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "platform/dispatch.h"

namespace vz {
namespace {

// The character a key press types, or '\0' for keys that type none (arrows, Delete, Tab...).
char typedCharacter(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Backspace:
            return '\b';
        case Qt::Key_Delete:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return '\0';
        default:
            break;
    }
    QString text = event.text();
    if (text.isEmpty())
        return '\0';
    char16_t unit = text.at(0).unicode();
    return unit < 0x80 ? static_cast<char>(unit) : '\x80';
}

}  // namespace

KeyFilter::KeyFilter(Edit& edit, Host& host, QObject* parent)
    : QObject(parent), edit_(edit), host_(host) {}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        dispatch(host_, [this] { edit_.focusLost(); });
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto& keyEvent = static_cast<QKeyEvent&>(*event);
    char typed = typedCharacter(keyEvent);
    if (typed == '\0')
        return false;
    char result = typed;
    if (!dispatch(host_, [&] { result = edit_.typeCharacter(typed); }))
        return true;
    if (result == typed)
        return false;
    if (result != '\0') {
        if (auto* line = qobject_cast<QLineEdit*>(watched))
            line->insert(QString(QChar(result)));
    }
    return true;
}

}  // namespace vz
