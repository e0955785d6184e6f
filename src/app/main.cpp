// The front-desk program: parses its options, finds the data directory and opens the main
// window.

#include "app/desk.h"
#include "store/file_system.h"
#include "ui/print_preview.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

using namespace roomwright;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Roomwright"));
    QApplication::setApplicationVersion(QStringLiteral("7.0"));
    QApplication::setOrganizationName(QStringLiteral("Roomwright"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Front desk of the motel."));
    parser.addHelpOption();
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
    try {
        directory.ensureExists(files);
        // Find the guests in house while the program starts, from the index the last run
        // saved (or by one scan of the guest file when there is none it can trust), so that
        // the clerk's first look-up does not pay for it.
        store.scanInHouseGuests([](std::size_t, const RecordView<GuestRecord>&) { return false; });
    } catch (const std::exception& failure) {
        dialogs.inform(nullptr, kAttention, QString::fromUtf8(failure.what()));
        return 1;
    }
    SystemPrinter noPrinter(directory, files, clock, [&](const std::string& message) {
        dialogs.inform(nullptr, kAttention, QString::fromStdString(message));
    });
    PreviewPrinter printer(noPrinter);
    Desk desk(store, clock, dialogs, printer);
    desk.open(WindowId::Main);
    return QApplication::exec();
}
