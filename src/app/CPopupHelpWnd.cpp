#include "CPopupHelpWnd.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

QPointer<CPopupHelpWnd> CPopupHelpWnd::s_current;

namespace {

const QColor kBackground(255, 255, 226);

}  // namespace

CPopupHelpWnd::CPopupHelpWnd(const QString& text)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint), m_label(new QLabel(text, this)) {
    setObjectName("CPopupHelpWnd");
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setStyleSheet(QString("CPopupHelpWnd { background-color: %1; border: 1px solid black; }")
                      .arg(kBackground.name()));
    setAttribute(Qt::WA_StyledBackground);
    m_label->setWordWrap(true);
    m_label->setFont(QApplication::font("QMenu"));
    m_label->setStyleSheet("background: transparent; color: black;");
    const int textWidth = kMaxWidth - 2 * kMargin;
    const QRect wrapped =
        m_label->fontMetrics().boundingRect(QRect(0, 0, textWidth, 100000), Qt::TextWordWrap, text);
    m_label->setFixedSize(std::min(wrapped.width(), textWidth) + 1, wrapped.height());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(m_label);
    setFixedSize(m_label->width() + 2 * kMargin, m_label->height() + 2 * kMargin);
    qApp->installEventFilter(this);
}

QString CPopupHelpWnd::fallbackText() {
    return QApplication::translate("Norva", "No help is available for this item.");
}

CPopupHelpWnd* CPopupHelpWnd::showText(const QString& text, const QPoint& globalPos) {
    if (s_current) s_current->close();
    s_current = new CPopupHelpWnd(text.isEmpty() ? fallbackText() : text);
    s_current->placeAt(globalPos);
    s_current->show();
    return s_current;
}

CPopupHelpWnd* CPopupHelpWnd::current() {
    // A closed popup lingers until its deferred deletion.
    return s_current && s_current->isVisible() ? s_current.data() : nullptr;
}

QString CPopupHelpWnd::text() const { return m_label->text(); }

void CPopupHelpWnd::placeAt(const QPoint& globalPos) {
    QRect frame(QPoint(globalPos.x() - width() / 2, globalPos.y() + kBelowMouse), size());
    const QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        if (frame.right() > area.right()) frame.moveRight(area.right());
        if (frame.bottom() > area.bottom()) frame.moveBottom(area.bottom());
        if (frame.left() < area.left()) frame.moveLeft(area.left());
        if (frame.top() < area.top()) frame.moveTop(area.top());
    }
    move(frame.topLeft());
}

void CPopupHelpWnd::hideEvent(QHideEvent* event) {
    // However it closes, the popup stops taking the program's keys and clicks at once.
    qApp->removeEventFilter(this);
    QWidget::hideEvent(event);
}

bool CPopupHelpWnd::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Claimed, so that no shortcut fires: the key press that follows closes the popup.
            event->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
            close();
            return true;
        default:
            return QWidget::eventFilter(watched, event);
    }
}
