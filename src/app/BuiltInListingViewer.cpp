#include "BuiltInListingViewer.h"

#include <QFile>
#include <QPrinter>

#include "IUserInterface.h"
#include "ListingPages.h"
#include "ListingPreview.h"

BuiltInListingViewer::BuiltInListingViewer(QPrinter& printer, Mode mode, IUserInterface& ui,
                                           QWidget* parent, bool* printed)
    : m_printer(printer), m_mode(mode), m_ui(ui), m_parent(parent), m_printed(printed) {}

bool BuiltInListingViewer::LoadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    // The file is deleted once printing ends, so its text is kept here.
    m_loaded = file.open(QIODevice::ReadOnly);
    if (!m_loaded) {
        m_ui.messageBox("Error", "The listing \"" + path + "\" could not be read.");
        return false;
    }
    m_lines = listingLines(QString::fromLocal8Bit(file.readAll()));
    return true;
}

void BuiltInListingViewer::PrintOut() {
    if (m_printed != nullptr) *m_printed = false;
    if (!m_loaded) return;
    if (m_mode == Mode::kDirect)
        printDirectly();
    else
        showPreview();
}

void BuiltInListingViewer::printDirectly() {
    m_printer.setDocName(m_title);
    const bool printed = ListingPages(m_lines, m_title).paint(m_printer);
    if (m_printed != nullptr) *m_printed = printed;
    if (!printed) {
        const QString target = m_printer.outputFormat() == QPrinter::PdfFormat
                                   ? m_printer.outputFileName()
                                   : m_printer.printerName();
        m_ui.messageBox(
            "Error", target.isEmpty()
                         ? std::string("The listing could not be printed: no printer "
                                       "is installed or chosen.")
                         : "The listing could not be printed on \"" + target.toStdString() + "\".");
    }
}

void BuiltInListingViewer::showPreview() {
    m_printer.setDocName(m_title);
    const ListingPages pages(m_lines, m_title);
    ListingPreview preview(pages, m_printer, m_title, m_parent);
    if (m_printed != nullptr) *m_printed = true;
    preview.exec();
}
