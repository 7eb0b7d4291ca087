// norva: the desktop program. Opens an MPS or ORB matrix and shows it row by row or column
// by column.

#include <QApplication>
#include <QFileInfo>
#include <cstdio>

#include "AppCommandLine.h"
#include "AppUsage.h"
#include "CMainFrame.h"
#include "CNorvaApp.h"
#include "DocumentAutomation.h"
#include "InstallLayout.h"
#include "PictureCommand.h"
#include "QSettingsStore.h"
#include "QtUserInterface.h"

namespace {

// Reading the usage needs no window, so it needs no display either.
bool printUsageIfAsked(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (parseAppCommandLine(arguments).action != StartAction::kHelp) return false;
    const QCoreApplication core(argc, argv);
    const InstallLayout layout(QCoreApplication::applicationFilePath());
    std::fputs(appUsageText(layout).c_str(), stdout);
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (printUsageIfAsked(argc, argv)) return 0;
    // Before the application object, which would need a display.
    if (isPictureCommand(argc, argv)) return runPictureCommand(argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationName("Norva");
    QApplication::setOrganizationName("Orvane");
    // Names the installed desktop entry, through which a Wayland desktop finds the icon.
    QGuiApplication::setDesktopFileName("norva");
    QSettingsStore store;
    QtUserInterface ui;
    int exitCode = 0;
    {
        CNorvaApp app(store, ui, QFileInfo(QApplication::applicationFilePath()).absoluteFilePath());
        QObject::connect(&app, &CNorvaApp::frameCreated,
                         [&ui](CMainFrame* frame) { ui.setMainWindow(frame, frame->statusBar()); });
        QStringList arguments = QApplication::arguments();
        arguments.removeFirst();
        // The shell's print forms run unattended: their messages go to the error stream and
        // never wait for a click.
        std::vector<std::string> plain;
        for (const QString& argument : arguments) plain.push_back(argument.toStdString());
        const StartAction action = parseAppCommandLine(plain).action;
        if (action == StartAction::kPrint || action == StartAction::kPrintTo ||
            action == StartAction::kPrintToPdf)
            ui.setNonBlocking(true);
        const CNorvaApp::StartResult start = app.InitInstance(arguments);
        if (!start.keepRunning) return start.exitCode;
        if (app.automation() != nullptr) {
            ui.setNonBlocking(true);
            // Queued, so that the reply to the client's last call leaves first.
            QObject::connect(&app, &CNorvaApp::automationFinished, &application,
                             &QApplication::quit, Qt::QueuedConnection);
        }
        exitCode = QApplication::exec();
    }
    store.sync();
    return exitCode;
}
