#pragma once

#include <QString>
#include <QStringList>

#include "IListingViewer.h"

class IUserInterface;
class QPrinter;
class QWidget;

// Norva's own viewer, used where no viewer is served on the session bus: PrintOut shows a
// print preview of the listing (printing to any printer or a PDF file from there), or, for
// the shell's print forms, prints at once on the printer as set up.
class BuiltInListingViewer : public IListingViewer {
public:
    enum class Mode { kPreview, kDirect };

    // printed, when given, tells after each PrintOut whether the listing reached the printer
    // (kDirect); a preview counts once shown.
    BuiltInListingViewer(QPrinter& printer, Mode mode, IUserInterface& ui,
                         QWidget* parent = nullptr, bool* printed = nullptr);

    bool LoadFile(const std::string& path) override;
    void SetTitle(const std::string& title) override { m_title = QString::fromStdString(title); }
    // The preview window is what shows the listing, and PrintOut opens it.
    void SetVisible(bool) override {}
    void PrintOut() override;

private:
    void printDirectly();
    void showPreview();

    QPrinter& m_printer;
    Mode m_mode;
    IUserInterface& m_ui;
    QWidget* m_parent;
    QStringList m_lines;
    QString m_title;
    bool m_loaded = false;
    bool* m_printed;
};
