#include "ControlHelpRequest.h"

#include <QAction>
#include <QCursor>
#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QWidget>

#include "CPopupHelpWnd.h"

namespace {

constexpr const char* kHelpIdProperty = "norvaHelpId";

int helpIdOf(const QWidget* control) {
    const QVariant id = control->property(kHelpIdProperty);
    return id.isValid() ? id.toInt() : 0;
}

}  // namespace

ControlHelpRequest::ControlHelpRequest(QWidget& dialog, HelpDialog kind)
    : QObject(&dialog), m_dialog(dialog), m_kind(kind) {
    auto* f1 = new QAction(&dialog);
    f1->setShortcut(QKeySequence(Qt::Key_F1));
    f1->setShortcutContext(Qt::WindowShortcut);
    dialog.addAction(f1);
    connect(f1, &QAction::triggered, this, [this] {
        QWidget* focused = m_dialog.focusWidget();
        request(focused != nullptr ? focused : &m_dialog, QCursor::pos());
    });
}

void ControlHelpRequest::setHelpId(QWidget* control, int id) {
    control->setProperty(kHelpIdProperty, id);
}

void ControlHelpRequest::watchChildren() {
    for (QWidget* child : m_dialog.findChildren<QWidget*>()) child->installEventFilter(this);
}

bool ControlHelpRequest::request(QWidget* control, const QPoint& globalPos) {
    int id = helpIdOf(control);
    if (id == 0) {
        const auto* label = qobject_cast<const QLabel*>(control);
        if (label != nullptr && label->buddy() != nullptr) id = helpIdOf(label->buddy());
    }
    if (id == 0) return false;
    const std::optional<std::string> text = controlHelp(m_kind, id);
    if (!text) return false;
    CPopupHelpWnd::showText(QString::fromStdString(*text), globalPos);
    return true;
}

bool ControlHelpRequest::eventFilter(QObject* watched, QEvent* event) {
    auto* control = qobject_cast<QWidget*>(watched);
    if (control == nullptr) return false;
    if (event->type() == QEvent::QueryWhatsThis) {
        event->accept();
        return true;
    }
    if (event->type() != QEvent::WhatsThis) return false;
    request(control, static_cast<QHelpEvent*>(event)->globalPos());
    return true;
}
