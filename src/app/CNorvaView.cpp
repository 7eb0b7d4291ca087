#include "CNorvaView.h"

CNorvaView::CNorvaView(QWidget* parent) : QWidget(parent) {
    setObjectName("CNorvaView");
    setMinimumWidth(0);
}
