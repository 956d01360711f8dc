#include "installer/Encoding.h"
#include "installer/Escaping.h"
#include "installer/Reader.h"
#include "installer/Writer.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QXmlStreamReader>

#include <optional>

// Real installers written by mod authors with many tools and by hand.
namespace {

QString corpusDir() {
    return QStringLiteral(QUARVEL_SHARED_DIR "/corpus");
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a standard parser finds in a configuration, for comparing with what the reader kept.
struct Found {
    QStringList stepNames;
    QStringList groups; // name and type
    QStringList pluginNames;
    QStringList flags; // name and value
    QStringList fileSources;
    QStringList descriptions;
    qsizetype dependencies = 0;
    qsizetype patterns = 0;
    bool bWellFormed = true;
    QString sError;
};

// Attribute names compared without case, as the reader does; the last occurrence wins.
std::optional<QString> attribute(const QXmlStreamAttributes& attributes, QStringView name) {
    std::optional<QString> value;
    for (const QXmlStreamAttribute& a : attributes) {
        if (a.qualifiedName().compare(name, Qt::CaseInsensitive) == 0)
            value = a.value().toString();
    }
    return value;
}

QString attributeValue(const QXmlStreamAttributes& attributes, QStringView name) {
    return attribute(attributes, name).value_or(QString());
}

// Elements count only where the project can hold them: dependencies of the module itself and
// files outside a plugin, a required install or a conditional install have no place there.
Found parseWithQt(QString text) {
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    Found found;
    QXmlStreamReader xml(text);
    QStringList open; // lowered names of the enclosing elements
    const auto inside = [&open](QStringView name) { return open.contains(name); };
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && !open.isEmpty())
            open.removeLast();
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString().toLower();
        const QXmlStreamAttributes attributes = xml.attributes();
        if (name == u"installstep") {
            // An unnamed step is named after its position.
            found.stepNames << attribute(attributes, u"name")
                                   .value_or(QStringLiteral("Step%1").arg(found.stepNames.size()));
        } else if (name == u"group" && inside(u"installstep")) {
            found.groups << attributeValue(attributes, u"name") + u'|' +
                                attributeValue(attributes, u"type");
        } else if (name == u"flag" && inside(u"plugin")) {
            found.flags << attributeValue(attributes, u"name") + u'=' +
                               xml.readElementText().trimmed();
            continue; // its end element is read
        } else if (name == u"plugin" && inside(u"group")) {
            found.pluginNames << attributeValue(attributes, u"name");
        } else if ((name == u"file" || name == u"folder") &&
                   (inside(u"plugin") || inside(u"requiredinstallfiles") ||
                    inside(u"conditionalfileinstalls"))) {
            found.fileSources << attributeValue(attributes, u"source");
        } else if ((name == u"flagdependency" || name == u"filedependency") &&
                   !inside(u"moduledependencies")) {
            ++found.dependencies;
        } else if (name == u"pattern") {
            ++found.patterns;
        } else if (name == u"description" && inside(u"plugin")) {
            found.descriptions << xml.readElementText().trimmed();
            continue; // its end element is read
        }
        open << name;
    }
    if (xml.hasError()) {
        found.bWellFormed = false;
        found.sError = xml.errorString();
    }
    return found;
}

Found collect(const CFOMOD& project) {
    Found kept;
    for (const CFile& f : project.vRequiredFiles)
        kept.fileSources << f.sSource;
    for (const CStep& step : project.vSteps) {
        kept.stepNames << step.sName;
        kept.dependencies += step.vVisibility.size();
        for (const CPluginGroup& group : step.vGroups) {
            kept.groups << group.sName + u'|' + group.sType;
            for (const CPlugin& plugin : group.vPlugins) {
                kept.pluginNames << plugin.sName;
                for (const CCondition& flag : plugin.vConditionFlags)
                    kept.flags << flag.sName + u'=' + flag.sValue.trimmed();
                kept.descriptions << Escaping::decodeReferences(plugin.sDescription).trimmed();
                for (const CFile& f : plugin.vFiles)
                    kept.fileSources << f.sSource;
                kept.patterns += plugin.vPatterns.size();
                for (const CDependencyPattern& pattern : plugin.vPatterns)
                    kept.dependencies += pattern.vDependencies.size();
            }
        }
    }
    for (const CConditionalFile& pattern : project.vConditionalFiles) {
        ++kept.patterns;
        kept.dependencies += pattern.vDependencies.size();
        for (const CFile& f : pattern.vFiles)
            kept.fileSources << f.sSource;
    }
    return kept;
}

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

// Empty when the bytes parse without error, else the parser's complaint.
QString parseError(const QByteArray& bytes) {
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd())
        xml.readNext();
    return xml.hasError()
               ? QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString())
               : QString();
}

// The elements (with their attributes) and comments of info.xml, one line each, indented by
// depth: as a standard parser finds them, and as the project keeps them.
QStringList outlineWithQt(QString text) {
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList lines;
    QXmlStreamReader xml(text);
    xml.setNamespaceProcessing(false); // namespace declarations are attributes too
    int depth = 0;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            QString line = QString(depth++, u' ') + xml.qualifiedName().toString();
            for (const QXmlStreamAttribute& a : xml.attributes())
                line += u' ' + a.qualifiedName().toString() + u'=' + a.value().toString();
            lines << line;
            break;
        }
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Comment:
            lines << QString(depth, u' ') + QStringLiteral("<!--") + xml.text().toString();
            break;
        default:
            break;
        }
    }
    if (xml.hasError())
        lines << QStringLiteral("error: ") + xml.errorString();
    return lines;
}

} // namespace

class TestCorpus : public QObject {
    Q_OBJECT

private slots:
    void installer_data();
    void installer();
    void infoFile_data();
    void infoFile();
};

void TestCorpus::installer_data() {
    QTest::addColumn<QString>("root");
    const QDir corpus(corpusDir());
    if (!corpus.exists())
        QSKIP("no corpus of real installers next to the project");
    const QStringList roots = corpus.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& root : roots) {
        if (QFile::exists(corpus.filePath(root + "/fomod/ModuleConfig.xml")))
            QTest::newRow(qPrintable(root)) << corpus.filePath(root);
    }
}

void TestCorpus::installer() {
    QFETCH(QString, root);
    const QString infoPath = root + QStringLiteral("/fomod/info.xml");
    const QString configPath = root + QStringLiteral("/fomod/ModuleConfig.xml");

    CFOMOD project;
    QString error;
    if (QFile::exists(infoPath))
        QVERIFY2(InstallerReader::readInfoFile(infoPath, project, &error), qPrintable(error));
    QVERIFY2(InstallerReader::readConfigFile(configPath, project, &error), qPrintable(error));

    // Nothing the model can hold is lost: compared with a standard parser of the same text.
    // A file that is not well-formed is compared up to where that parser gives up.
    const Found found = parseWithQt(Encoding::decodeInstallerBytes(fileBytes(configPath)));
    const Found kept = collect(project);
    if (found.bWellFormed) {
        QCOMPARE(kept.stepNames, found.stepNames);
        QCOMPARE(kept.groups, found.groups);
        QCOMPARE(kept.pluginNames, found.pluginNames);
        QCOMPARE(kept.flags, found.flags);
        QCOMPARE(sorted(kept.fileSources), sorted(found.fileSources));
        QCOMPARE(kept.descriptions, found.descriptions);
        QCOMPARE(kept.dependencies, found.dependencies);
        QCOMPARE(kept.patterns, found.patterns);
    } else {
        qInfo("%s is not well-formed (%s)", qPrintable(configPath), qPrintable(found.sError));
        QVERIFY(kept.stepNames.size() >= found.stepNames.size());
        QVERIFY(kept.pluginNames.size() >= found.pluginNames.size());
        QCOMPARE(kept.pluginNames.mid(0, found.pluginNames.size()), found.pluginNames);
    }

    // What the writer makes of it is well-formed, and reads back to the same bytes.
    const QString version = QStringLiteral("1.0.0.0");
    const QString homePage = QStringLiteral("https://example.org");
    const QByteArray info = InstallerWriter::infoFileBytes(project);
    const QByteArray config = InstallerWriter::configFileBytes(project, version, homePage);
    QCOMPARE(parseError(info), QString());
    QCOMPARE(parseError(config), QString());

    CFOMOD again;
    InstallerReader::readInfoText(Encoding::decodeInstallerBytes(info), again);
    QVERIFY(InstallerReader::readConfigText(Encoding::decodeInstallerBytes(config), again));
    QCOMPARE(InstallerWriter::infoFileBytes(again), info);
    QCOMPARE(InstallerWriter::configFileBytes(again, version, homePage), config);
}

void TestCorpus::infoFile_data() {
    QTest::addColumn<QString>("path");
    const QDir corpus(corpusDir());
    if (!corpus.exists())
        QSKIP("no corpus of real installers next to the project");
    for (const QString& root : corpus.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString path = corpus.filePath(root + "/fomod/info.xml");
        if (QFile::exists(path))
            QTest::newRow(qPrintable(root)) << path;
    }
}

// Every element, attribute and comment is kept, and comes back from the file written.
void TestCorpus::infoFile() {
    QFETCH(QString, path);
    CFOMOD project;
    QString error;
    QVERIFY2(InstallerReader::readInfoFile(path, project, &error), qPrintable(error));
    const QByteArray written = InstallerWriter::infoFileBytes(project);
    QCOMPARE(parseError(written), QString());
    QCOMPARE(outlineWithQt(Encoding::decodeInstallerBytes(written)),
             outlineWithQt(Encoding::decodeInstallerBytes(fileBytes(path))));
    CFOMOD again;
    InstallerReader::readInfoText(Encoding::decodeInstallerBytes(written), again);
    QVERIFY(again == project);
    QCOMPARE(InstallerWriter::infoFileBytes(again), written);
}

QTEST_GUILESS_MAIN(TestCorpus)
#include "tst_corpus.moc"
