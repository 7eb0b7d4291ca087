#include "CAboutDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>

namespace {

constexpr const char* kCopyright = "Copyright (C) 2024-2026 Orvane. All rights reserved.";

}  // namespace

CAboutDlg::CAboutDlg(const QString& nameAndVersion, QWidget* parent)
    : QDialog(parent), m_nameAndVersion(new QLabel(nameAndVersion)) {
    setWindowTitle(tr("About Norva"));
    auto* icon = new QLabel;
    icon->setPixmap(QApplication::windowIcon().isNull()
                        ? style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32)
                        : QApplication::windowIcon().pixmap(32, 32));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(m_nameAndVersion, 0, 1);
    layout->addWidget(new QLabel(tr(kCopyright)), 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
}

QString CAboutDlg::nameAndVersionText(const QString& version) {
    return "Matrix Analysis Program V12 (" + version + ")";
}

QString CAboutDlg::shownNameAndVersion() const { return m_nameAndVersion->text(); }
