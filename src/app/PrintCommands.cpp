#include "PrintCommands.h"

#include <QBuffer>
#include <QDir>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <cstdio>

#include "BuiltInListingViewer.h"
#include "DetailViewLogic.h"
#include "ListingPages.h"
#include "RegularFileWrite.h"
#include "ViewerChoice.h"

PrintCommands::PrintCommands(DetailViewLogic& detail, IUserInterface& ui,
                             const ISettingsStore& store, QWidget* window)
    : QObject(window), m_detail(detail), m_ui(ui), m_store(store), m_window(window) {}

PrintCommands::~PrintCommands() = default;

bool PrintCommands::hasSubject() const {
    return m_detail.selectedName().has_value() && m_detail.contentCurrent();
}

PrintSubject PrintCommands::subject() const {
    PrintSubject subject;
    subject.documentPath = m_documentPath;
    subject.rowDisplay = m_detail.rowDisplay();
    subject.name = m_detail.selectedNameText();
    subject.nameSelected = hasSubject();
    subject.content = &m_detail.content();
    return subject;
}

QPrinter& PrintCommands::printer() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool PrintCommands::print(const ListingViewerFactory& builtIn) {
    return PrintListing(subject(), QDir::currentPath().toStdString(),
                        ViewerChoice::read(m_store).factory(builtIn),
                        m_ui) == PrintOutcome::kPrinted;
}

void PrintCommands::OnFilePrint() {
    print([this]() -> std::unique_ptr<IListingViewer> {
        return std::make_unique<BuiltInListingViewer>(
            printer(), BuiltInListingViewer::Mode::kPreview, m_ui, m_window);
    });
}

void PrintCommands::OnPrintSetup() {
    QPrintDialog dialog(&printer(), m_window);
    dialog.setWindowTitle(tr("Print Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    dialog.exec();
}

bool PrintCommands::printDirectly(const std::string& printerName) {
    QPrinter& target = printer();
    if (!printerName.empty()) {
        const QString requested = QString::fromStdString(printerName);
        target.setPrinterName(requested);
        // Qt falls back to another output for a name it does not know.
        if (target.printerName() != requested) {
            m_ui.messageBox("Error", "There is no printer named \"" + printerName + "\".");
            return false;
        }
    }
    // A viewer on the bus answers for itself; the built-in one says whether it printed.
    bool builtInPrinted = true;
    const bool handedOver = print([this, &builtInPrinted]() -> std::unique_ptr<IListingViewer> {
        return std::make_unique<BuiltInListingViewer>(
            printer(), BuiltInListingViewer::Mode::kDirect, m_ui, nullptr, &builtInPrinted);
    });
    return handedOver && builtInPrinted;
}

bool PrintCommands::writePdf(const std::string& path) {
    const QString title =
        QString::fromStdString(ListingTitle(m_detail.rowDisplay(), m_detail.selectedNameText()));
    const ListingPages pages(listingLines(QString::fromStdString(m_detail.listing(m_documentPath))),
                             title);
    // Made in memory and written as a regular file, never through a link or onto a device.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(title);
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        pages.paint(writer);
    }
    const std::string error = WriteRegularFile(
        path,
        std::string_view(pdf.data().constData(), static_cast<std::size_t>(pdf.data().size())));
    if (error.empty()) return true;
    std::fprintf(stderr, "norva: cannot write \"%s\": %s\n", path.c_str(), error.c_str());
    return false;
}
