// norva-case-server: serves an MPS or ORB model (and optionally its KNLP solution) on the
// session bus as the case loaded in a modelling-server process, for norva and norva-inspect
// to open through a ".cas" file.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <cstdio>
#include <string>

#include "CaseServerObjects.h"
#include "IUserInterface.h"
#include "ServedCaseFromModel.h"

namespace {

constexpr const char* kUsage =
    "usage: norva-case-server --process NAME MODEL [--solution FILE]\n"
    "Serves MODEL (MPS or ORB) on the session bus as service LoomXObjects.CLoomConnection,\n"
    "the case loaded in process NAME, until it is stopped. Prints \"ready\" once served.\n"
    "Test options, each making one step fail: --fail-table TABLE, --fail-row-set,\n"
    "--fail-column-set, --record-outside; --no-bulk hides Names() and ColumnTexts().\n";

class StderrUserInterface : public IUserInterface {
public:
    void messageBox(const std::string& caption, const std::string& text) override {
        std::fprintf(stderr, "norva-case-server: %s: %s\n", caption.c_str(), text.c_str());
    }
    void statusText(const std::string&) override {}
    void beep() override {}
};

struct Arguments {
    std::string process;
    std::string model;
    std::string solution;
    ServedFaults faults;
    std::string error;
};

Arguments parse(const QStringList& list) {
    Arguments arguments;
    for (qsizetype i = 1; i < list.size(); ++i) {
        const QString& argument = list[i];
        const bool hasValue = i + 1 < list.size();
        if (argument == "--process" && hasValue) {
            arguments.process = list[++i].toStdString();
        } else if (argument == "--solution" && hasValue) {
            arguments.solution = list[++i].toStdString();
        } else if (argument == "--fail-table" && hasValue) {
            arguments.faults.unopenableTable = list[++i];
        } else if (argument == "--fail-row-set") {
            arguments.faults.noRowSet = true;
        } else if (argument == "--fail-column-set") {
            arguments.faults.noColumnSet = true;
        } else if (argument == "--no-bulk") {
            arguments.faults.noBulk = true;
        } else if (argument == "--record-outside") {
            arguments.faults.recordOutside = true;
        } else if (argument.startsWith("--") || !arguments.model.empty()) {
            arguments.error = "unexpected argument " + argument.toStdString();
        } else {
            arguments.model = argument.toStdString();
        }
    }
    if (arguments.error.empty() && (arguments.process.empty() || arguments.model.empty()))
        arguments.error = "--process NAME and MODEL are required";
    return arguments;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const Arguments arguments = parse(QCoreApplication::arguments());
    if (!arguments.error.empty()) {
        std::fprintf(stderr, "norva-case-server: %s\n%s", arguments.error.c_str(), kUsage);
        return 2;
    }
    StderrUserInterface ui;
    ServedCase served;
    if (!ServedCaseFromModel(arguments.model, arguments.solution, served, ui)) return 1;
    loombus::registerTypes();
    QDBusConnection bus = QDBusConnection::sessionBus();
    CaseServerRoot root(bus, QString::fromStdString(arguments.process), served, arguments.faults);
    if (!bus.registerObject("/", &root, QDBusConnection::ExportAllSlots)) {
        std::fprintf(stderr, "norva-case-server: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    if (!bus.registerService(loombus::kService)) {
        std::fprintf(stderr, "norva-case-server: cannot own %s: %s\n", loombus::kService,
                     qPrintable(bus.lastError().message()));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}
