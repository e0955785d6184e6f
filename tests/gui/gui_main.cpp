// Runs the window tests inside one QApplication on Qt's offscreen platform, on one screen as
// small as a front desk's can be: 1366 x 768 at 125 %, or 1920 x 1080 at 175 %, less a
// taskbar (1092 x 576 logical pixels). Another platform named in QT_QPA_PLATFORM (xcb, to look
// at the windows on a display) is left as it is.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[]) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" ROOMWRIGHT_DESK_SCREEN);
#ifdef _WIN32
        // Offscreen, Qt on Windows reads its fonts from a folder inside its own installation,
        // which the program's folder lacks: without Windows' fonts every text would be drawn
        // and measured as boxes.
        if (!qEnvironmentVariableIsSet("QT_QPA_FONTDIR")) {
            qputenv("QT_QPA_FONTDIR", qgetenv("WINDIR") + "\\Fonts");
        }
#endif
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
