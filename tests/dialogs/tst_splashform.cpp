#include "ProgramWindows.h"
#include "dialogs/SplashForm.h"
#include "settings/RecentFiles.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

namespace {

// Long enough that only the test ticks the splash window.
constexpr int kNoRealTicks = 3600 * 1000;

// Makes a folder the current working directory while it lives.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const QString& path) : m_previous(QDir::currentPath()) {
        QDir::setCurrent(path);
    }
    ~WorkingDirectory() { QDir::setCurrent(m_previous); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    QString m_previous;
};

QString status(const TSplashForm& splash) {
    return component<QLabel>(splash, "Label1")->text();
}

} // namespace

class TestSplashForm : public QObject {
    Q_OBJECT

private slots:
    void created();
    void ticksBeforeMainWindow_data();
    void ticksBeforeMainWindow();
    void statusWhileLoading();
    void settingsAppliedOnFirstTick();
    void logo_data();
    void logo();
    void timerHandsOver();
};

void TestSplashForm::created() {
    TSplashForm splash;
    QCOMPARE(status(splash), QStringLiteral("Initializing..."));
    QVERIFY(splash.timer()->isActive());
    QCOMPARE(splash.timer()->interval(), 1000);
    QCOMPARE(splash.tickCount(), 0);
    QVERIFY(splash.windowFlags().testFlag(Qt::SplashScreen));
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
}

void TestSplashForm::ticksBeforeMainWindow_data() {
    QTest::addColumn<bool>("settingsFile");
    QTest::addColumn<int>("splashScreenSec");
    QTest::addColumn<int>("ticks");
    QTest::newRow("no settings file") << false << 0 << 1;
    QTest::newRow("0 seconds") << true << 0 << 1;
    QTest::newRow("1 second") << true << 1 << 1;
    QTest::newRow("negative") << true << -3 << 1;
    QTest::newRow("5 seconds") << true << 5 << 5;
}

void TestSplashForm::ticksBeforeMainWindow() {
    QFETCH(bool, settingsFile);
    QFETCH(int, splashScreenSec);
    QFETCH(int, ticks);
    ProgramWindows w;
    if (settingsFile) {
        SSettings values;
        values.iSplashScreenSec = splashScreenSec;
        w.writeConfig(values);
    }
    TSplashForm splash(kNoRealTicks);
    w.connectSplash(splash);
    splash.show();

    for (int tick = 1; tick < ticks; ++tick) {
        splash.Timer1Timer();
        QVERIFY(splash.isVisible());
        QVERIFY(!w.main.isVisible());
        QVERIFY(splash.timer()->isActive());
        QCOMPARE(status(splash), QStringLiteral("Loading..."));
    }
    splash.Timer1Timer();
    QCOMPARE(splash.tickCount(), ticks);
    QVERIFY(!splash.isVisible());
    QVERIFY(w.main.isVisible());
    QVERIFY(!splash.timer()->isActive());
}

void TestSplashForm::statusWhileLoading() {
    // Without a settings file the status stops at the settings file.
    {
        ProgramWindows w;
        TSplashForm splash(kNoRealTicks);
        w.connectSplash(splash);
        splash.Timer1Timer();
        QCOMPARE(status(splash), QStringLiteral("Loading... config.ini"));
    }
    // With one, it names the language while that loads; the Recent submenu follows it.
    ProgramWindows w;
    SSettings values;
    values.sLanguage = "English.txt";
    w.writeConfig(values);
    TSplashForm splash(kNoRealTicks);
    w.connectSplash(splash);
    QString statusAtMenuFill;
    QObject::connect(&splash, &TSplashForm::settingsLoaded, &splash,
                     [&] { statusAtMenuFill = status(splash); });
    splash.Timer1Timer();
    QCOMPARE(statusAtMenuFill, QStringLiteral("Loading... English.txt"));
}

void TestSplashForm::settingsAppliedOnFirstTick() {
    ProgramWindows w;
    SSettings values;
    values.bHideOpenFolder = true;
    values.iInterfaceTextSize = 11;
    values.sLanguage = "Deutsch.txt";
    values.vRecentFiles = {"/mods/One", "/mods/Two"};
    values.iSplashScreenSec = 2;
    w.writeConfig(values);
    w.writeLanguage(QStringLiteral("Deutsch.txt"),
                    {{QStringLiteral("ModInfoTabSheet"), QStringLiteral("Mod-Info")},
                     {QStringLiteral("CancelButton"), QStringLiteral("Abbrechen")},
                     {QStringLiteral("SettingsMenu"), QStringLiteral("Einstellungen")}});
    TSplashForm splash(kNoRealTicks);
    w.connectSplash(splash);
    const int splashFontSize = splash.font().pointSize();

    splash.Timer1Timer();

    QVERIFY(!component<QAction>(w.main, "OpenMenu")->isVisible());
    QVERIFY(component<QAction>(w.main, "OpenfileMenu")->isVisible());
    for (const QWidget* window :
         {static_cast<QWidget*>(&w.main), static_cast<QWidget*>(&w.settings),
          static_cast<QWidget*>(&w.script)})
        QCOMPARE(window->font().pointSize(), 11);
    QCOMPARE(splash.font().pointSize(), splashFontSize);
    QCOMPARE(component<QTabWidget>(w.main, "PageControl")->tabText(0), QStringLiteral("Mod-Info"));
    QCOMPARE(component<QPushButton>(w.settings, "CancelButton")->text(),
             QStringLiteral("Abbrechen"));
    QCOMPARE(component<QPushButton>(w.script, "CancelButton")->text(), QStringLiteral("Abbrechen"));
    QCOMPARE(w.settings.windowTitle(), QStringLiteral("Einstellungen"));
    QCOMPARE(w.main.settingsMenu()->text(), QStringLiteral("Einstellungen"));
    QCOMPARE(w.recentMenuEntries(), (QStringList{"/mods/One", "/mods/Two"}));

    // Later ticks load nothing again.
    Settings::instance().bHideOpenFolder = false;
    splash.Timer1Timer();
    QVERIFY(!component<QAction>(w.main, "OpenMenu")->isVisible());
    QVERIFY(w.main.isVisible());
}

void TestSplashForm::logo_data() {
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<QByteArray>("fileBytes"); // used instead of a picture when not empty
    QTest::addColumn<QSize>("windowSize");
    QTest::newRow("300 x 200 logo") << QSize(300, 200) << QByteArray() << QSize(300, 200);
    QTest::newRow("no logo") << QSize() << QByteArray() << QSize(168, 166);
    QTest::newRow("not a picture") << QSize() << QByteArray("plain text") << QSize(168, 166);
}

void TestSplashForm::logo() {
    QFETCH(QSize, pictureSize);
    QFETCH(QByteArray, fileBytes);
    QFETCH(QSize, windowSize);
    QTemporaryDir cwd;
    const WorkingDirectory inside(cwd.path());
    if (pictureSize.isValid()) {
        QImage picture(pictureSize, QImage::Format_RGB32);
        picture.fill(Qt::darkBlue);
        QVERIFY(picture.save(cwd.filePath(QStringLiteral("logo.jpg")), "JPG"));
    } else if (!fileBytes.isEmpty()) {
        QFile file(cwd.filePath(QStringLiteral("logo.jpg")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(fileBytes);
    }

    TSplashForm splash(kNoRealTicks);
    QCOMPARE(splash.size(), windowSize);
    const auto* logo = component<QLabel>(splash, "LogoImage");
    QCOMPARE(logo->pixmap().isNull(), !pictureSize.isValid());
    if (pictureSize.isValid())
        QCOMPARE(logo->pixmap().size(), pictureSize);
    // The status line lies along the bottom edge, over the logo's last 13 pixels.
    QCOMPARE(component<QLabel>(splash, "Label1")->geometry(),
             QRect(0, windowSize.height() - 13, windowSize.width(), 13));
}

void TestSplashForm::timerHandsOver() {
    ProgramWindows w;
    SSettings values;
    values.iSplashScreenSec = 3;
    w.writeConfig(values);
    TSplashForm splash(0);
    w.connectSplash(splash);
    splash.show();
    QTRY_VERIFY(w.main.isVisible());
    QCOMPARE(splash.tickCount(), 3);
    QVERIFY(!splash.isVisible());
}

QTEST_MAIN(TestSplashForm)
#include "tst_splashform.moc"
