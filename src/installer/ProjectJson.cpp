#include "installer/ProjectJson.h"

#include "installer/JsonText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QStringDecoder>

#include <cmath>
#include <initializer_list>
#include <limits>

namespace ProjectJson {

namespace {

// ---- Output ----

template <class T, class F> QJsonArray arrayOf(const QList<T>& items, F toObject) {
    QJsonArray array;
    for (const T& item : items)
        array.append(toObject(item));
    return array;
}

QJsonObject commentJson(const CComment& c) {
    return {{QStringLiteral("sText"), c.sText}, {QStringLiteral("sAt"), c.sAt}};
}

QJsonArray commentsJson(const QList<CComment>& comments) {
    return arrayOf(comments, commentJson);
}

QJsonObject dependencyJson(const CDependency& d) {
    return {{QStringLiteral("sType"), d.sType},
            {QStringLiteral("sName"), d.sName},
            {QStringLiteral("sValue"), d.sValue},
            {QStringLiteral("sOperator"), d.sOperator},
            {QStringLiteral("vDependencies"), arrayOf(d.vDependencies, dependencyJson)},
            {QStringLiteral("vComments"), commentsJson(d.vComments)}};
}

QJsonObject conditionJson(const CCondition& c) {
    return {{QStringLiteral("sName"), c.sName},
            {QStringLiteral("sValue"), c.sValue},
            {QStringLiteral("vComments"), commentsJson(c.vComments)}};
}

QJsonObject fileJson(const CFile& f) {
    return {{QStringLiteral("sType"), f.sType},
            {QStringLiteral("sSource"), f.sSource},
            {QStringLiteral("sDestination"), f.sDestination},
            {QStringLiteral("iPriority"), f.iPriority},
            {QStringLiteral("sAlwaysInstall"), f.sAlwaysInstall},
            {QStringLiteral("sInstallIfUsable"), f.sInstallIfUsable},
            {QStringLiteral("vComments"), commentsJson(f.vComments)}};
}

QJsonObject patternJson(const CDependencyPattern& p) {
    return {{QStringLiteral("sOperator"), p.sOperator},
            {QStringLiteral("sType"), p.sType},
            {QStringLiteral("vDependencies"), arrayOf(p.vDependencies, dependencyJson)},
            {QStringLiteral("vComments"), commentsJson(p.vComments)}};
}

QJsonObject pluginJson(const CPlugin& p) {
    return {{QStringLiteral("sName"), p.sName},
            {QStringLiteral("sDescription"), p.sDescription},
            {QStringLiteral("sImage"), p.sImage},
            {QStringLiteral("sType"), p.sType},
            {QStringLiteral("vConditionFlags"), arrayOf(p.vConditionFlags, conditionJson)},
            {QStringLiteral("vFiles"), arrayOf(p.vFiles, fileJson)},
            {QStringLiteral("vPatterns"), arrayOf(p.vPatterns, patternJson)},
            {QStringLiteral("vComments"), commentsJson(p.vComments)}};
}

QJsonObject groupJson(const CPluginGroup& g) {
    return {{QStringLiteral("sName"), g.sName},
            {QStringLiteral("sType"), g.sType},
            {QStringLiteral("vPlugins"), arrayOf(g.vPlugins, pluginJson)},
            {QStringLiteral("sPluginOrder"), g.sPluginOrder},
            {QStringLiteral("vComments"), commentsJson(g.vComments)}};
}

QJsonObject stepJson(const CStep& s) {
    return {{QStringLiteral("sName"), s.sName},
            {QStringLiteral("sOperator"), s.sOperator},
            {QStringLiteral("vVisibility"), arrayOf(s.vVisibility, dependencyJson)},
            {QStringLiteral("vGroups"), arrayOf(s.vGroups, groupJson)},
            {QStringLiteral("sGroupOrder"), s.sGroupOrder},
            {QStringLiteral("vComments"), commentsJson(s.vComments)}};
}

QJsonObject conditionalFileJson(const CConditionalFile& c) {
    return {{QStringLiteral("sOperator"), c.sOperator},
            {QStringLiteral("vDependencies"), arrayOf(c.vDependencies, dependencyJson)},
            {QStringLiteral("vFiles"), arrayOf(c.vFiles, fileJson)},
            {QStringLiteral("vComments"), commentsJson(c.vComments)}};
}

QJsonObject infoAttributeJson(const CInfoAttribute& a) {
    return {{QStringLiteral("sName"), a.sName}, {QStringLiteral("sValue"), a.sValue}};
}

QJsonObject infoNodeJson(const CInfoNode& n) {
    return {{QStringLiteral("sName"), n.sName},
            {QStringLiteral("vAttributes"), arrayOf(n.vAttributes, infoAttributeJson)},
            {QStringLiteral("sText"), n.sText},
            {QStringLiteral("vChildren"), arrayOf(n.vChildren, infoNodeJson)},
            {QStringLiteral("bComment"), n.bComment}};
}

// ---- Input ----

using Keys = std::initializer_list<const char*>;

QString childPath(const QString& parent, const QString& key) {
    return parent.isEmpty() ? key : parent + QLatin1Char('.') + key;
}

// Deeper trees are refused before the recursion that reads them can exhaust the stack.
constexpr int kMaxGroupDepth = 256;

// Reads elements from JSON values, remembering the path of the first value it refuses.
class Parser {
public:
    QString error;

    bool read(const QJsonValue& value, const QString& path, CComment& c) {
        QJsonObject o;
        return object(value, path, {"sText", "sAt"}, o) && text(o, "sText", path, c.sText) &&
               text(o, "sAt", path, c.sAt);
    }

    bool read(const QJsonValue& value, const QString& path, CDependency& d) {
        const GroupLevel level(*this, path);
        if (m_groupDepth > kMaxGroupDepth)
            return fail(m_outermostGroup, "conditions nested deeper than 256 levels");
        QJsonObject o;
        return object(value, path,
                      {"sType", "sName", "sValue", "sOperator", "vDependencies", "vComments"}, o) &&
               text(o, "sType", path, d.sType) && text(o, "sName", path, d.sName) &&
               text(o, "sValue", path, d.sValue) && text(o, "sOperator", path, d.sOperator) &&
               list(o, "vDependencies", path, d.vDependencies) &&
               list(o, "vComments", path, d.vComments);
    }

    bool read(const QJsonValue& value, const QString& path, CCondition& c) {
        QJsonObject o;
        return object(value, path, {"sName", "sValue", "vComments"}, o) &&
               text(o, "sName", path, c.sName) && text(o, "sValue", path, c.sValue) &&
               list(o, "vComments", path, c.vComments);
    }

    bool read(const QJsonValue& value, const QString& path, CFile& f) {
        QJsonObject o;
        return object(value, path,
                      {"sType", "sSource", "sDestination", "iPriority", "sAlwaysInstall",
                       "sInstallIfUsable", "vComments"},
                      o) &&
               text(o, "sType", path, f.sType) && fileType(path, f.sType) &&
               text(o, "sSource", path, f.sSource) &&
               text(o, "sDestination", path, f.sDestination) &&
               int32(o, "iPriority", path, f.iPriority) &&
               text(o, "sAlwaysInstall", path, f.sAlwaysInstall) &&
               text(o, "sInstallIfUsable", path, f.sInstallIfUsable) &&
               list(o, "vComments", path, f.vComments);
    }

    bool read(const QJsonValue& value, const QString& path, CDependencyPattern& p) {
        QJsonObject o;
        return object(value, path, {"sOperator", "sType", "vDependencies", "vComments"}, o) &&
               text(o, "sOperator", path, p.sOperator) && text(o, "sType", path, p.sType) &&
               list(o, "vDependencies", path, p.vDependencies) &&
               list(o, "vComments", path, p.vComments);
    }

    bool read(const QJsonValue& value, const QString& path, CPlugin& p) {
        QJsonObject o;
        return object(value, path,
                      {"sName", "sDescription", "sImage", "sType", "vConditionFlags", "vFiles",
                       "vPatterns", "vComments"},
                      o) &&
               text(o, "sName", path, p.sName) && text(o, "sDescription", path, p.sDescription) &&
               text(o, "sImage", path, p.sImage) && text(o, "sType", path, p.sType) &&
               list(o, "vConditionFlags", path, p.vConditionFlags) &&
               list(o, "vFiles", path, p.vFiles) && list(o, "vPatterns", path, p.vPatterns) &&
               list(o, "vComments", path, p.vComments);
    }

    bool read(const QJsonValue& value, const QString& path, CPluginGroup& g) {
        QJsonObject o;
        return object(value, path, {"sName", "sType", "vPlugins", "sPluginOrder", "vComments"},
                      o) &&
               text(o, "sName", path, g.sName) && text(o, "sType", path, g.sType) &&
               list(o, "vPlugins", path, g.vPlugins) &&
               text(o, "sPluginOrder", path, g.sPluginOrder) &&
               list(o, "vComments", path, g.vComments);
    }

    bool read(const QJsonValue& value, const QString& path, CStep& s) {
        QJsonObject o;
        return object(value, path,
                      {"sName", "sOperator", "vVisibility", "vGroups", "sGroupOrder", "vComments"},
                      o) &&
               text(o, "sName", path, s.sName) && text(o, "sOperator", path, s.sOperator) &&
               list(o, "vVisibility", path, s.vVisibility) && list(o, "vGroups", path, s.vGroups) &&
               text(o, "sGroupOrder", path, s.sGroupOrder) &&
               list(o, "vComments", path, s.vComments);
    }

    bool read(const QJsonValue& value, const QString& path, CConditionalFile& c) {
        QJsonObject o;
        return object(value, path, {"sOperator", "vDependencies", "vFiles", "vComments"}, o) &&
               text(o, "sOperator", path, c.sOperator) &&
               list(o, "vDependencies", path, c.vDependencies) &&
               list(o, "vFiles", path, c.vFiles) && list(o, "vComments", path, c.vComments);
    }

    bool read(const QJsonValue& value, const QString& path, CInfoAttribute& a) {
        QJsonObject o;
        return object(value, path, {"sName", "sValue"}, o) && text(o, "sName", path, a.sName) &&
               text(o, "sValue", path, a.sValue);
    }

    bool read(const QJsonValue& value, const QString& path, CInfoNode& n) {
        const NodeLevel level(*this);
        if (m_nodeDepth > kMaxGroupDepth)
            return fail(path, "info.xml nodes nested deeper than 256 levels");
        QJsonObject o;
        return object(value, path, {"sName", "vAttributes", "sText", "vChildren", "bComment"}, o) &&
               text(o, "sName", path, n.sName) && list(o, "vAttributes", path, n.vAttributes) &&
               text(o, "sText", path, n.sText) && list(o, "vChildren", path, n.vChildren) &&
               boolean(o, "bComment", path, n.bComment);
    }

    bool read(const QJsonValue& value, const QString& path, CFOMOD& p) {
        QJsonObject o;
        return object(value, path, {"sName",           "sAuthor",
                                    "sVersion",        "sCategory",
                                    "sWebsite",        "sImage",
                                    "sDescription",    "vSteps",
                                    "vRequiredFiles",  "vConditionalFiles",
                                    "sTitle",          "sTitlePosition",
                                    "sTitleColour",    "sShowImage",
                                    "sShowFade",       "sImageHeight",
                                    "sModuleOperator", "vModuleDependencies",
                                    "sStepOrder",      "vInfoNodes",
                                    "vComments"},
                      o) &&
               text(o, "sName", path, p.sName) && text(o, "sAuthor", path, p.sAuthor) &&
               text(o, "sVersion", path, p.sVersion) && text(o, "sCategory", path, p.sCategory) &&
               text(o, "sWebsite", path, p.sWebsite) && text(o, "sImage", path, p.sImage) &&
               text(o, "sDescription", path, p.sDescription) && list(o, "vSteps", path, p.vSteps) &&
               list(o, "vRequiredFiles", path, p.vRequiredFiles) &&
               list(o, "vConditionalFiles", path, p.vConditionalFiles) &&
               text(o, "sTitle", path, p.sTitle) &&
               text(o, "sTitlePosition", path, p.sTitlePosition) &&
               text(o, "sTitleColour", path, p.sTitleColour) &&
               text(o, "sShowImage", path, p.sShowImage) &&
               text(o, "sShowFade", path, p.sShowFade) &&
               text(o, "sImageHeight", path, p.sImageHeight) &&
               text(o, "sModuleOperator", path, p.sModuleOperator) &&
               list(o, "vModuleDependencies", path, p.vModuleDependencies) &&
               text(o, "sStepOrder", path, p.sStepOrder) &&
               list(o, "vInfoNodes", path, p.vInfoNodes) && list(o, "vComments", path, p.vComments);
    }

private:
    bool fail(const QString& path, const char* what) {
        error = path.isEmpty() ? QString::fromLatin1(what)
                               : path + QStringLiteral(": ") + QString::fromLatin1(what);
        return false;
    }

    // The type is written as the element's name: any other text, an empty one included, would
    // make a file that no mod manager can read.
    bool fileType(const QString& path, const QString& type) {
        if (type == u"file" || type == u"folder")
            return true;
        return fail(childPath(path, QStringLiteral("sType")), "expected \"file\" or \"folder\"");
    }

    // The value must be an object holding no key besides the known ones.
    bool object(const QJsonValue& value, const QString& path, Keys known, QJsonObject& out) {
        if (!value.isObject())
            return fail(path, path.isEmpty() ? "expected an object at the top level"
                                             : "expected an object");
        out = value.toObject();
        for (auto it = out.constBegin(); it != out.constEnd(); ++it) {
            bool isKnown = false;
            for (const char* key : known)
                isKnown = isKnown || it.key() == QLatin1String(key);
            if (!isKnown)
                return fail(childPath(path, it.key()), "unknown key");
        }
        return true;
    }

    bool text(const QJsonObject& o, const char* key, const QString& path, QString& field) {
        const auto it = o.constFind(QLatin1String(key));
        if (it == o.constEnd())
            return true;
        if (!it->isString())
            return fail(childPath(path, QLatin1String(key)), "expected a string");
        field = it->toString();
        return true;
    }

    bool boolean(const QJsonObject& o, const char* key, const QString& path, bool& field) {
        const auto it = o.constFind(QLatin1String(key));
        if (it == o.constEnd())
            return true;
        if (!it->isBool())
            return fail(childPath(path, QLatin1String(key)), "expected true or false");
        field = it->toBool();
        return true;
    }

    bool int32(const QJsonObject& o, const char* key, const QString& path, qint32& field) {
        const auto it = o.constFind(QLatin1String(key));
        if (it == o.constEnd())
            return true;
        const QString where = childPath(path, QLatin1String(key));
        if (!it->isDouble())
            return fail(where, "expected a number");
        const double number = it->toDouble();
        if (!std::isfinite(number) || number != std::trunc(number))
            return fail(where, "expected an integer");
        if (number < std::numeric_limits<qint32>::min() ||
            number > std::numeric_limits<qint32>::max())
            return fail(where, "expected an integer in the signed 32-bit range");
        field = static_cast<qint32>(number);
        return true;
    }

    template <class T>
    bool list(const QJsonObject& o, const char* key, const QString& path, QList<T>& field) {
        const auto it = o.constFind(QLatin1String(key));
        if (it == o.constEnd())
            return true;
        const QString where = childPath(path, QLatin1String(key));
        if (!it->isArray())
            return fail(where, "expected an array");
        const QJsonArray array = it->toArray();
        QList<T> items;
        items.reserve(array.size());
        for (qsizetype i = 0; i < array.size(); ++i) {
            T item;
            if (!read(array.at(i), where + QStringLiteral("[%1]").arg(i), item))
                return false;
            items.append(std::move(item));
        }
        field = std::move(items);
        return true;
    }

    // One level of condition nesting while a condition is read; the outermost names the tree.
    class GroupLevel {
    public:
        GroupLevel(Parser& parser, const QString& path) : m_parser(parser) {
            if (m_parser.m_groupDepth++ == 0)
                m_parser.m_outermostGroup = path;
        }
        ~GroupLevel() { --m_parser.m_groupDepth; }

    private:
        Parser& m_parser;
    };

    class NodeLevel {
    public:
        explicit NodeLevel(Parser& parser) : m_parser(parser) { ++m_parser.m_nodeDepth; }
        ~NodeLevel() { --m_parser.m_nodeDepth; }

    private:
        Parser& m_parser;
    };

    int m_groupDepth = 0;
    QString m_outermostGroup;
    int m_nodeDepth = 0;
};

} // namespace

QJsonObject toJson(const CFOMOD& project) {
    return {{QStringLiteral("sName"), project.sName},
            {QStringLiteral("sAuthor"), project.sAuthor},
            {QStringLiteral("sVersion"), project.sVersion},
            {QStringLiteral("sCategory"), project.sCategory},
            {QStringLiteral("sWebsite"), project.sWebsite},
            {QStringLiteral("sImage"), project.sImage},
            {QStringLiteral("sDescription"), project.sDescription},
            {QStringLiteral("vSteps"), arrayOf(project.vSteps, stepJson)},
            {QStringLiteral("vRequiredFiles"), arrayOf(project.vRequiredFiles, fileJson)},
            {QStringLiteral("vConditionalFiles"),
             arrayOf(project.vConditionalFiles, conditionalFileJson)},
            {QStringLiteral("sTitle"), project.sTitle},
            {QStringLiteral("sTitlePosition"), project.sTitlePosition},
            {QStringLiteral("sTitleColour"), project.sTitleColour},
            {QStringLiteral("sShowImage"), project.sShowImage},
            {QStringLiteral("sShowFade"), project.sShowFade},
            {QStringLiteral("sImageHeight"), project.sImageHeight},
            {QStringLiteral("sModuleOperator"), project.sModuleOperator},
            {QStringLiteral("vModuleDependencies"),
             arrayOf(project.vModuleDependencies, dependencyJson)},
            {QStringLiteral("sStepOrder"), project.sStepOrder},
            {QStringLiteral("vInfoNodes"), arrayOf(project.vInfoNodes, infoNodeJson)},
            {QStringLiteral("vComments"), commentsJson(project.vComments)}};
}

QByteArray toText(const CFOMOD& project) {
    return JsonText::text(project);
}

bool fromJson(const QJsonObject& object, CFOMOD& project, QString* errorText) {
    Parser parser;
    CFOMOD built;
    if (!parser.read(object, QString(), built)) {
        if (errorText)
            *errorText = parser.error;
        return false;
    }
    project = std::move(built);
    return true;
}

bool fromText(const QByteArray& bytes, CFOMOD& project, QString* errorText) {
    // A byte-order mark names the encoding: Windows shells save redirected output as UTF-16.
    QByteArray text = bytes;
    if (const auto encoding = QStringConverter::encodingForData(bytes);
        encoding && *encoding != QStringConverter::Utf8) {
        QStringDecoder decoder(*encoding);
        text = QString(decoder.decode(bytes)).toUtf8();
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const QByteArray before = text.left(parseError.offset);
        const qsizetype lineStart = before.lastIndexOf('\n') + 1;
        if (errorText)
            *errorText = QStringLiteral("line %1, column %2: %3")
                             .arg(before.count('\n') + 1)
                             .arg(parseError.offset - lineStart + 1)
                             .arg(parseError.errorString());
        return false;
    }
    if (!document.isObject()) {
        if (errorText)
            *errorText = QStringLiteral("expected an object at the top level");
        return false;
    }
    return fromJson(document.object(), project, errorText);
}

} // namespace ProjectJson
