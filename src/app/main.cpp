// The front-desk program: parses its options, finds the data directory and opens the main
// window.

#include "app/desk.h"
#include "app/start_up.h"
#include "store/disk/file_system.h"
#include "ui/print_preview.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

using namespace roomwright;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Roomwright"));
    QApplication::setApplicationVersion(QStringLiteral(ROOMWRIGHT_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Roomwright"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Front desk of the motel."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Keep the motel's data in <dir>."),
                                     QStringLiteral("dir"));
    parser.addOption(dataDir);
    parser.process(application);

    std::optional<std::string> dataDirOption;
    if (parser.isSet(dataDir)) {
        dataDirOption = parser.value(dataDir).toStdString();
    }
    const DataDirectory directory =
        DataDirectory::locate(DataDirectory::processEnvironment(dataDirOption));

    DiskFileSystem files;
    MessageBoxDialogs dialogs;
    SystemClock clock;
    const Store store(directory, files);
    // Held until the program ends: no other program writes here meanwhile.
    std::optional<WriterLock> writer = claimDataDirectory(store, files, dialogs, clock.today());
    if (!writer) {
        return 1;
    }
    SystemPrinter noPrinter(directory, files, clock, [&](const std::string& message) {
        dialogs.inform(nullptr, kAttention, QString::fromStdString(message));
    });
    PreviewPrinter printer(noPrinter);
    Desk desk(store, clock, dialogs, printer, std::move(writer));
    desk.open(WindowId::Main);
    return QApplication::exec();
}
