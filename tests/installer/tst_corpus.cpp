#include "installer/Encoding.h"
#include "installer/Escaping.h"
#include "installer/Reader.h"
#include "installer/Writer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
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
// Steps, groups and options in the order managers show them; flags, descriptions and file
// sources as sets.
struct Found {
    QStringList stepNames;
    QStringList groups; // name and type
    QStringList pluginNames;
    QStringList flags; // name and value
    QStringList fileSources;
    QStringList descriptions;
    qsizetype dependencies = 0; // single conditions, at any depth
    qsizetype patterns = 0;
    bool bWellFormed = true;
    QString sError;
};

// A list as managers show it: without an order, or "Ascending", by name; "Descending" the
// other way; letter case ignored, equal names as written.
struct Listed {
    QString sName;
    QList<Listed> children;
};

void showInOrder(QList<Listed>& list, const QString& order) {
    if (!order.isEmpty() && order != u"Ascending" && order != u"Descending")
        return;
    const bool descending = order == u"Descending";
    std::stable_sort(list.begin(), list.end(), [descending](const Listed& a, const Listed& b) {
        const int c = QString::compare(a.sName, b.sName, Qt::CaseInsensitive);
        return descending ? c > 0 : c < 0;
    });
}

bool isCondition(QStringView loweredName) {
    static const QStringList kinds{"flagdependency", "filedependency", "gamedependency",
                                   "fommdependency", "fosedependency", "nvsedependency",
                                   "sksedependency", "f4sedependency"};
    return kinds.contains(loweredName);
}

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
    QList<Listed> steps;
    // The lists still open and the order each was given.
    QList<std::pair<QList<Listed>*, QString>> ordered;
    qsizetype stepCount = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && !open.isEmpty()) {
            const QString closed = open.takeLast();
            if ((closed == u"installsteps" || closed == u"optionalfilegroups" ||
                 closed == u"plugins") &&
                !ordered.isEmpty()) {
                showInOrder(*ordered.last().first, ordered.last().second);
                ordered.removeLast();
            }
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString().toLower();
        const QXmlStreamAttributes attributes = xml.attributes();
        const QString order = attribute(attributes, u"order").value_or(QString());
        if (name == u"installsteps") {
            ordered.append({&steps, order});
        } else if (name == u"installstep") {
            // An unnamed step is named after its position.
            steps.append(
                {attribute(attributes, u"name").value_or(QStringLiteral("Step%1").arg(stepCount)),
                 {}});
            ++stepCount;
        } else if (name == u"optionalfilegroups" && !steps.isEmpty()) {
            ordered.append({&steps.last().children, order});
        } else if (name == u"group" && inside(u"installstep") && !steps.isEmpty()) {
            steps.last().children.append(
                {attributeValue(attributes, u"name") + u'|' + attributeValue(attributes, u"type"),
                 {}});
        } else if (name == u"plugins" && !steps.isEmpty() && !steps.last().children.isEmpty()) {
            ordered.append({&steps.last().children.last().children, order});
        } else if (name == u"flag" && inside(u"plugin")) {
            found.flags << attributeValue(attributes, u"name") + u'=' +
                               xml.readElementText().trimmed();
            continue; // its end element is read
        } else if (name == u"plugin" && inside(u"group") && !steps.isEmpty() &&
                   !steps.last().children.isEmpty()) {
            steps.last().children.last().children.append({attributeValue(attributes, u"name"), {}});
        } else if ((name == u"file" || name == u"folder") &&
                   (inside(u"plugin") || inside(u"requiredinstallfiles") ||
                    inside(u"conditionalfileinstalls"))) {
            found.fileSources << attributeValue(attributes, u"source");
        } else if (isCondition(name)) {
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
    for (const Listed& step : steps) {
        found.stepNames << step.sName;
        for (const Listed& group : step.children) {
            found.groups << group.sName;
            for (const Listed& plugin : group.children)
                found.pluginNames << plugin.sName;
        }
    }
    return found;
}

qsizetype conditionCount(const QList<CDependency>& dependencies) {
    qsizetype count = 0;
    for (const CDependency& d : dependencies)
        count += d.sType == u"group" ? conditionCount(d.vDependencies) : 1;
    return count;
}

Found collect(const CFOMOD& project) {
    Found kept;
    kept.dependencies = conditionCount(project.vModuleDependencies);
    for (const CFile& f : project.vRequiredFiles)
        kept.fileSources << f.sSource;
    for (const CStep& step : project.vSteps) {
        kept.stepNames << step.sName;
        kept.dependencies += conditionCount(step.vVisibility);
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
                    kept.dependencies += conditionCount(pattern.vDependencies);
            }
        }
    }
    for (const CConditionalFile& pattern : project.vConditionalFiles) {
        ++kept.patterns;
        kept.dependencies += conditionCount(pattern.vDependencies);
        for (const CFile& f : pattern.vFiles)
            kept.fileSources << f.sSource;
    }
    return kept;
}

// True when xmllint accepts the file against the schema; false too when either is missing.
bool validates(const QString& path) {
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    const QString schema = QStringLiteral(QUARVEL_SHARED_DIR "/schema/ModConfig5.0.xsd");
    if (xmllint.isEmpty() || !QFile::exists(schema))
        return false;
    QProcess lint;
    lint.start(xmllint, {QStringLiteral("--noout"), QStringLiteral("--schema"), schema, path});
    return lint.waitForFinished(60000) && lint.exitStatus() == QProcess::NormalExit &&
           lint.exitCode() == 0;
}

QString commentsText(const QList<CComment>& comments) {
    QStringList parts;
    for (const CComment& c : comments)
        parts << c.sAt + u'=' + c.sText.left(20);
    return parts.join(u"; ");
}

// Where two readings of one installer part ways, for the failure message.
QString firstDifference(const CFOMOD& a, const CFOMOD& b) {
    if (a.vComments != b.vComments)
        return QStringLiteral("project comments: [%1] vs [%2]")
            .arg(commentsText(a.vComments), commentsText(b.vComments));
    for (qsizetype s = 0; s < qMin(a.vSteps.size(), b.vSteps.size()); ++s) {
        const CStep& x = a.vSteps[s];
        const CStep& y = b.vSteps[s];
        if (x.vComments != y.vComments)
            return QStringLiteral("step %1 comments: [%2] vs [%3]")
                .arg(s)
                .arg(commentsText(x.vComments), commentsText(y.vComments));
        if (x.vVisibility != y.vVisibility || x.sOperator != y.sOperator)
            return QStringLiteral("step %1 visibility").arg(s);
        for (qsizetype g = 0; g < qMin(x.vGroups.size(), y.vGroups.size()); ++g) {
            if (x.vGroups[g].vComments != y.vGroups[g].vComments)
                return QStringLiteral("step %1 group %2 comments: [%3] vs [%4]")
                    .arg(s)
                    .arg(g)
                    .arg(commentsText(x.vGroups[g].vComments),
                         commentsText(y.vGroups[g].vComments));
            for (qsizetype p = 0; p < x.vGroups[g].vPlugins.size(); ++p) {
                const CPlugin& u = x.vGroups[g].vPlugins[p];
                const CPlugin& v = y.vGroups[g].vPlugins.value(p);
                if (u.vComments != v.vComments)
                    return QStringLiteral("plugin %1/%2/%3 comments: [%4] vs [%5]")
                        .arg(s)
                        .arg(g)
                        .arg(p)
                        .arg(commentsText(u.vComments), commentsText(v.vComments));
                if (!(u == v))
                    return QStringLiteral("plugin %1/%2/%3").arg(s).arg(g).arg(p);
            }
        }
        if (!(x == y))
            return QStringLiteral("step %1").arg(s);
    }
    if (a.vSteps != b.vSteps)
        return QStringLiteral("steps");
    if (a.vConditionalFiles != b.vConditionalFiles)
        return QStringLiteral("conditional installs");
    if (a.vRequiredFiles != b.vRequiredFiles)
        return QStringLiteral("required installs");
    const std::pair<const char*, QString CFOMOD::*> fields[] = {
        {"sName", &CFOMOD::sName},
        {"sTitle", &CFOMOD::sTitle},
        {"sTitlePosition", &CFOMOD::sTitlePosition},
        {"sTitleColour", &CFOMOD::sTitleColour},
        {"sImage", &CFOMOD::sImage},
        {"sShowImage", &CFOMOD::sShowImage},
        {"sShowFade", &CFOMOD::sShowFade},
        {"sImageHeight", &CFOMOD::sImageHeight},
        {"sModuleOperator", &CFOMOD::sModuleOperator},
        {"sStepOrder", &CFOMOD::sStepOrder}};
    for (const auto& [name, field] : fields) {
        if (a.*field != b.*field)
            return QStringLiteral("%1: '%2' vs '%3'").arg(name, a.*field, b.*field);
    }
    if (a.vModuleDependencies != b.vModuleDependencies)
        return QStringLiteral("prerequisites");
    return a == b ? QString() : QStringLiteral("information fields");
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
        QCOMPARE(sorted(kept.flags), sorted(found.flags));
        QCOMPARE(sorted(kept.fileSources), sorted(found.fileSources));
        QCOMPARE(sorted(kept.descriptions), sorted(found.descriptions));
        QCOMPARE(kept.dependencies, found.dependencies);
        QCOMPARE(kept.patterns, found.patterns);
    } else {
        qInfo("%s is not well-formed (%s)", qPrintable(configPath), qPrintable(found.sError));
        QVERIFY(kept.stepNames.size() >= found.stepNames.size());
        QVERIFY(kept.pluginNames.size() >= found.pluginNames.size());
        QStringList unread = kept.pluginNames;
        for (const QString& name : found.pluginNames)
            QVERIFY2(unread.removeOne(name), qPrintable(name));
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
    // The configuration reads back to the same project, on the information first read.
    CFOMOD configAgain = project;
    configAgain.vSteps.clear();
    configAgain.vRequiredFiles.clear();
    configAgain.vConditionalFiles.clear();
    configAgain.vModuleDependencies.clear();
    configAgain.vComments.clear();
    configAgain.sTitle.clear();
    QVERIFY(InstallerReader::readConfigText(Encoding::decodeInstallerBytes(config), configAgain));
    QVERIFY2(configAgain == project, qPrintable(firstDifference(project, configAgain)));

    // What the project keeps is not reported as lost.
    CFOMOD reported;
    ReadReport report;
    QVERIFY(InstallerReader::readConfigFile(configPath, reported, &error, nullptr, &report));
    static const QStringList kKept{
        "moduleDependencies", "order",           "operator",       "dependencies",
        "alwaysInstall",      "installIfUsable", "destination",    "showImage",
        "showFade",           "height",          "position",       "colour",
        "gameDependency",     "fommDependency",  "foseDependency", "nvseDependency",
        "skseDependency",     "f4seDependency"};
    for (const NotKeptNote& note : report.notKept)
        QVERIFY2(!kKept.contains(note.sConstruct, Qt::CaseInsensitive),
                 qPrintable(QStringLiteral("line %1: %2 %3")
                                .arg(note.line)
                                .arg(note.sConstruct, note.sMessage)));

    // A file the schema accepts is still accepted once saved.
    if (validates(configPath)) {
        QTemporaryDir dir;
        const QString saved = dir.filePath(QStringLiteral("ModuleConfig.xml"));
        QFile out(saved);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(config) == config.size());
        out.close();
        QVERIFY2(validates(saved), qPrintable(configPath));
    }
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
