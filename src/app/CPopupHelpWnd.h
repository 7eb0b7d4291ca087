#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QLabel;

// The control help popup: a bordered light-yellow window with a control's help text wrapped
// to at most 390 pixels, centred under the mouse and kept on its screen. Only one exists at a
// time; any key press or mouse-button press anywhere in the program closes it, and that key
// or click goes no further.
class CPopupHelpWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxWidth = 400;
    static constexpr int kMargin = 5;
    static constexpr int kBelowMouse = 24;

    // Shows text for a help request at globalPos (the mouse position), replacing any popup
    // that is open. An empty text shows the family's general fallback text.
    static CPopupHelpWnd* showText(const QString& text, const QPoint& globalPos);
    // The open popup, or null.
    static CPopupHelpWnd* current();
    // The text shown when a control's own text is missing.
    static QString fallbackText();

    QString text() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    explicit CPopupHelpWnd(const QString& text);
    void placeAt(const QPoint& globalPos);

    QLabel* m_label;
    static QPointer<CPopupHelpWnd> s_current;
};
