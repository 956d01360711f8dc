#include "installer/Destination.h"

#include <QTest>

class TestDestination : public QObject {
    Q_OBJECT

private slots:
    void detect_data();
    void detect();
};

void TestDestination::detect_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("destination");
    const auto row = [](const char* name, QStringView source, QStringView destination) {
        QTest::newRow(name) << source.toString() << destination.toString();
    };

    // Plugins and archives: the name after the last backslash.
    row("plugin in capitals", u"MyMod\\plugin.ESP", u"plugin.ESP");
    row("archive with spaces", u"Sub\\Archive - Main.ba2", u"Archive - Main.ba2");
    row("master at the root", u"a.esm", u"a.esm");
    row("light plugin at the root", u"Patch.esl", u"Patch.esl");
    row("plugin deep down", u"A\\B\\C\\textures\\x.esp", u"x.esp");
    row("bsa is no plugin", u"MyMod\\Sub\\Archive.bsa", u"MyMod\\Sub\\Archive.bsa");
    row("the extension alone", u".esp", u".esp");
    row("a leading backslash is not looked at", u"\\.esp", u"\\.esp");
    row("nor before a name", u"\\a.esp", u"\\a.esp");
    row("forward slashes do not separate", u"Mod/plugin.esp", u"Mod/plugin.esp");

    // Data folders: the path from the leftmost folder of the data folder on.
    row("under Data", u"Data\\Textures\\armor\\a.dds", u"Textures\\armor\\a.dds");
    row("the folder alone", u"Textures", u"Textures");
    row("leftmost match keeps its case", u"Mod\\meshes\\Textures\\x.nif",
        u"meshes\\Textures\\x.nif");
    row("last component", u"MyMod\\MCM", u"MCM");
    row("deep folder", u"A\\B\\C\\D\\Scripts\\Source\\x.psc", u"Scripts\\Source\\x.psc");
    row("doubled backslash", u"Mod\\\\SHADERSFX\\a.fx", u"SHADERSFX\\a.fx");
    row("part of a component only", u"MyMod\\SoundFX\\a.wav", u"MyMod\\SoundFX\\a.wav");
    row("name containing a folder name", u"MyTextures\\x.dds", u"MyTextures\\x.dds");
    // Only ASCII letters fold: a long s is no s.
    row("non-ASCII look-alike", u"Mod\\MI\u017FC\\x.txt", u"Mod\\MI\u017FC\\x.txt");

    // Nothing to go by.
    row("plain file", u"Readme.txt", u"Readme.txt");
    row("empty", u"", u"");
}

void TestDestination::detect() {
    QFETCH(QString, source);
    QFETCH(QString, destination);
    QCOMPARE(Destination::detect(source), destination);
}

QTEST_GUILESS_MAIN(TestDestination)
#include "tst_destination.moc"
