#pragma once

#include <QObject>
#include <QPoint>

#include "ControlHelp.h"

class QWidget;

// Help requests on a dialog's controls: F1 names the control with the focus, a click in
// What's This mode (the title bar's "?" or Shift+F1) the control clicked. The control's help
// id (set with setHelpId) picks the popup's text from ControlHelp; a label without one passes
// the request to its buddy, the control after it. A control that still has none gets no popup.
class ControlHelpRequest : public QObject {
    Q_OBJECT
public:
    ControlHelpRequest(QWidget& dialog, HelpDialog kind);

    // Gives control the help id of the string table entry that describes it.
    static void setHelpId(QWidget* control, int id);
    // Watches control for What's This clicks (all controls of the dialog once it is built).
    void watchChildren();
    // The request for control; returns whether a popup opened.
    bool request(QWidget* control, const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_dialog;
    HelpDialog m_kind;
};
