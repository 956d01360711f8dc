#include "installer/Reader.h"

#include "installer/Encoding.h"
#include "installer/Escaping.h"
#include "installer/Tokenizer.h"

#include <QFile>

namespace InstallerReader {

namespace {

// `bytes` must outlive `text`: the writer's own format (UTF-16 LE with its mark) is read in
// place, without a converted copy.
bool readFileText(const QString& path, QByteArray& bytes, QString& text, QString* errorText) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorText)
            *errorText = QStringLiteral("cannot be opened: ") + file.errorString();
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (errorText)
            *errorText = QStringLiteral("cannot be read: ") + file.errorString();
        return false;
    }
    if (Q_BYTE_ORDER == Q_LITTLE_ENDIAN && bytes.startsWith("\xFF\xFE") &&
        quintptr(bytes.constData()) % alignof(char16_t) == 0) {
        text = QString::fromRawData(reinterpret_cast<const QChar*>(bytes.constData()),
                                    bytes.size() / 2);
        return true;
    }
    text = Encoding::decodeInstallerBytes(bytes);
    return true;
}

// Runs the tokenizer's calling protocol over the whole text and hands every complete tag to
// `handle`; stops early when the handler returns false.
template <typename Handler> bool forEachTag(const QString& text, Handler&& handle) {
    const QStringView view(text);
    Tokenizer::AttributeList attributes;
    QString name;
    QString elementText;
    qint32 state = Tokenizer::Outside;
    bool fromCData = false;
    qsizetype position = 0;
    for (;;) {
        state = Tokenizer::Outside;
        position =
            Tokenizer::ParseTag(view, position, name, elementText, attributes, state, &fromCData);
        if (Tokenizer::isEnd(view, position))
            return true;
        if (state == Tokenizer::Complete && !handle(name, attributes, elementText, fromCData))
            return false;
    }
}

// Element text of a plain field. Character data is literal: it holds no references.
QString plainText(const QString& elementText, bool fromCData) {
    return fromCData ? elementText : Escaping::decodeReferences(elementText);
}

// The two descriptions stay in written form; character data is brought into it so that the
// text is written back well-formed.
QString describedText(const QString& elementText, bool fromCData) {
    return fromCData ? Escaping::normaliseModDescription(elementText) : elementText;
}

// An optionally signed decimal number within the signed 32-bit range, white space around it.
bool parsePriority(QStringView written, qint32& priority) {
    const QStringView v = written.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == u'-' || v[i] == u'+')) {
        negative = v[i] == u'-';
        ++i;
    }
    if (i == v.size())
        return false;
    const qint64 limit = negative ? qint64(1) << 31 : (qint64(1) << 31) - 1;
    qint64 value = 0;
    for (; i < v.size(); ++i) {
        const char16_t c = v[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c - u'0');
        if (value > limit)
            return false;
    }
    priority = qint32(negative ? -value : value);
    return true;
}

enum class ConfigTag {
    Other,
    ModuleImage,
    InstallStep,
    FlagDependency,
    FileDependency,
    Type,
    DefaultType,
    Dependencies,
    Group,
    Plugin,
    Description,
    Image,
    Flag,
    File,
    Folder,
    RequiredInstallFiles,
    InstallSteps,
    ConditionalFileInstalls,
    Visible,
    TypeDescriptor,
    Pattern,
};

ConfigTag classify(QStringView name) {
    struct Entry {
        QStringView name;
        ConfigTag tag;
    };
    static constexpr Entry entries[] = {
        {u"file", ConfigTag::File},
        {u"folder", ConfigTag::Folder},
        {u"flag", ConfigTag::Flag},
        {u"flagdependency", ConfigTag::FlagDependency},
        {u"filedependency", ConfigTag::FileDependency},
        {u"dependencies", ConfigTag::Dependencies},
        {u"type", ConfigTag::Type},
        {u"plugin", ConfigTag::Plugin},
        {u"description", ConfigTag::Description},
        {u"image", ConfigTag::Image},
        {u"typedescriptor", ConfigTag::TypeDescriptor},
        {u"pattern", ConfigTag::Pattern},
        {u"defaulttype", ConfigTag::DefaultType},
        {u"group", ConfigTag::Group},
        {u"installstep", ConfigTag::InstallStep},
        {u"visible", ConfigTag::Visible},
        {u"moduleimage", ConfigTag::ModuleImage},
        {u"requiredinstallfiles", ConfigTag::RequiredInstallFiles},
        {u"installsteps", ConfigTag::InstallSteps},
        {u"conditionalfileinstalls", ConfigTag::ConditionalFileInstalls},
    };
    for (const Entry& entry : entries) {
        if (entry.name == name)
            return entry.tag;
    }
    return ConfigTag::Other;
}

// Where the configuration reader stands. The pointers address elements of the project being
// filled; each is replaced whenever the sequence holding it grows, and cleared with its parent.
class ConfigContext {
public:
    explicit ConfigContext(CFOMOD& project) : m_project(project) {}

    bool apply(const QString& name, const Tokenizer::AttributeList& attributes,
               const QString& elementText, bool fromCData, QString* errorText);

private:
    enum class Section { None, RequiredInstalls, InstallSteps, ConditionalInstalls };
    enum class Target { None, StepVisibility, PluginType, Pattern };

    void addDependency(const QString& type, const Tokenizer::AttributeList& attributes,
                       QStringView nameKey, QStringView valueKey);
    bool addFile(const QString& type, const Tokenizer::AttributeList& attributes,
                 QString* errorText);
    void setOperator(const QString& value);

    CFOMOD& m_project;
    Section m_section = Section::None;
    Target m_dependencyTarget = Target::None;
    Target m_typeTarget = Target::None;
    CStep* m_step = nullptr;
    CPluginGroup* m_group = nullptr;
    CPlugin* m_plugin = nullptr;
    CDependencyPattern* m_typePattern = nullptr;
    CConditionalFile* m_conditionalPattern = nullptr;
};

void ConfigContext::addDependency(const QString& type, const Tokenizer::AttributeList& attributes,
                                  QStringView nameKey, QStringView valueKey) {
    // The extra pair the tokenizer adds at a closing ">" counts here.
    if (attributes.size() < 2)
        return;
    CDependency dependency;
    dependency.sType = type;
    for (const Tokenizer::Attribute& pair : attributes) {
        if (pair.sName == nameKey)
            dependency.sName = Escaping::decodeReferences(pair.sValue);
        else if (pair.sName == valueKey)
            dependency.sValue = Escaping::decodeReferences(pair.sValue);
    }
    if (m_section == Section::InstallSteps && m_step) {
        if (m_dependencyTarget == Target::StepVisibility)
            m_step->vVisibility.append(dependency);
        else if (m_dependencyTarget == Target::Pattern && m_typePattern)
            m_typePattern->vDependencies.append(dependency);
    } else if (m_section == Section::ConditionalInstalls && m_conditionalPattern) {
        m_conditionalPattern->vDependencies.append(dependency);
    }
}

bool ConfigContext::addFile(const QString& type, const Tokenizer::AttributeList& attributes,
                            QString* errorText) {
    CFile file;
    file.sType = type;
    for (const Tokenizer::Attribute& pair : attributes) {
        if (pair.sName == u"source") {
            file.sSource = Escaping::decodeReferences(pair.sValue);
        } else if (pair.sName == u"destination") {
            file.sDestination = Escaping::decodeReferences(pair.sValue);
        } else if (pair.sName == u"priority") {
            if (!parsePriority(Escaping::decodeReferences(pair.sValue), file.iPriority)) {
                if (errorText)
                    *errorText = QStringLiteral("priority '%1' is not an integer").arg(pair.sValue);
                return false;
            }
        }
    }
    switch (m_section) {
    case Section::RequiredInstalls:
        m_project.vRequiredFiles.append(file);
        break;
    case Section::InstallSteps:
        if (m_plugin)
            m_plugin->vFiles.append(file);
        break;
    case Section::ConditionalInstalls:
        if (m_conditionalPattern)
            m_conditionalPattern->vFiles.append(file);
        break;
    case Section::None:
        break;
    }
    return true;
}

void ConfigContext::setOperator(const QString& value) {
    if (m_section == Section::InstallSteps && m_step) {
        if (m_dependencyTarget == Target::Pattern) {
            if (m_typePattern)
                m_typePattern->sOperator = value;
        } else if (m_dependencyTarget == Target::StepVisibility) {
            m_step->sOperator = value;
        }
    }
    if (m_section == Section::ConditionalInstalls && m_conditionalPattern)
        m_conditionalPattern->sOperator = value;
}

bool ConfigContext::apply(const QString& name, const Tokenizer::AttributeList& attributes,
                          const QString& elementText, bool fromCData, QString* errorText) {
    switch (classify(name)) {
    case ConfigTag::ModuleImage:
        for (const Tokenizer::Attribute& pair : attributes) {
            if (pair.sName == u"path")
                m_project.sImage = Escaping::decodeReferences(pair.sValue);
        }
        break;

    case ConfigTag::InstallStep: {
        // Named by the index of the step before it, counted from -1 in this reading.
        const qsizetype previous = m_step ? m_project.vSteps.size() - 1 : -1;
        CStep step(QStringLiteral("Step") + QString::number(previous + 1));
        for (const Tokenizer::Attribute& pair : attributes) {
            if (pair.sName == u"name")
                step.sName = Escaping::decodeReferences(pair.sValue);
        }
        m_project.vSteps.append(step);
        m_step = &m_project.vSteps.last();
        m_group = nullptr;
        m_plugin = nullptr;
        m_typePattern = nullptr;
        break;
    }

    case ConfigTag::FlagDependency:
        addDependency(QStringLiteral("flag"), attributes, u"flag", u"value");
        break;
    case ConfigTag::FileDependency:
        addDependency(QStringLiteral("file"), attributes, u"file", u"state");
        break;

    case ConfigTag::Type:
        if (!m_step)
            break;
        for (const Tokenizer::Attribute& pair : attributes) {
            if (pair.sName != u"name")
                continue;
            if (m_typeTarget == Target::PluginType && m_plugin)
                m_plugin->sType = Escaping::decodeReferences(pair.sValue);
            else if (m_typeTarget == Target::Pattern && m_typePattern)
                m_typePattern->sType = Escaping::decodeReferences(pair.sValue);
        }
        break;

    case ConfigTag::DefaultType:
        // The plugin's own type, written here when it has type patterns.
        if (!m_plugin)
            break;
        for (const Tokenizer::Attribute& pair : attributes) {
            if (pair.sName == u"name")
                m_plugin->sType = Escaping::decodeReferences(pair.sValue);
        }
        break;

    case ConfigTag::Dependencies:
        for (const Tokenizer::Attribute& pair : attributes) {
            if (pair.sName == u"operator")
                setOperator(Escaping::decodeReferences(pair.sValue));
        }
        break;

    case ConfigTag::Group: {
        if (!m_step)
            break;
        CPluginGroup& group = m_step->vGroups.emplace_back();
        for (const Tokenizer::Attribute& pair : attributes) {
            if (pair.sName == u"name")
                group.sName = Escaping::decodeReferences(pair.sValue);
            else if (pair.sName == u"type")
                group.sType = Escaping::decodeReferences(pair.sValue);
        }
        m_group = &group;
        m_plugin = nullptr;
        m_typePattern = nullptr;
        break;
    }

    case ConfigTag::Plugin: {
        if (!m_group)
            break;
        CPlugin& plugin = m_group->vPlugins.emplace_back();
        for (const Tokenizer::Attribute& pair : attributes) {
            if (pair.sName == u"name")
                plugin.sName = Escaping::decodeReferences(pair.sValue);
        }
        m_plugin = &plugin;
        m_typePattern = nullptr;
        break;
    }

    case ConfigTag::Description:
        if (m_plugin)
            m_plugin->sDescription += describedText(elementText, fromCData);
        break;

    case ConfigTag::Image:
        if (!m_plugin)
            break;
        for (const Tokenizer::Attribute& pair : attributes) {
            if (pair.sName == u"path")
                m_plugin->sImage = Escaping::decodeReferences(pair.sValue);
        }
        break;

    case ConfigTag::Flag: {
        if (!m_plugin)
            break;
        CCondition condition;
        for (const Tokenizer::Attribute& pair : attributes) {
            if (pair.sName == u"name")
                condition.sName = Escaping::decodeReferences(pair.sValue);
        }
        condition.sValue = plainText(elementText, fromCData);
        m_plugin->vConditionFlags.append(condition);
        break;
    }

    case ConfigTag::File:
        return addFile(QStringLiteral("file"), attributes, errorText);
    case ConfigTag::Folder:
        return addFile(QStringLiteral("folder"), attributes, errorText);

    case ConfigTag::RequiredInstallFiles:
        m_section = Section::RequiredInstalls;
        break;
    case ConfigTag::InstallSteps:
        m_section = Section::InstallSteps;
        break;
    case ConfigTag::ConditionalFileInstalls:
        m_section = Section::ConditionalInstalls;
        m_dependencyTarget = Target::None;
        break;
    case ConfigTag::Visible:
        m_dependencyTarget = Target::StepVisibility;
        break;
    case ConfigTag::TypeDescriptor:
        m_typeTarget = Target::PluginType;
        break;

    case ConfigTag::Pattern:
        if (m_section == Section::InstallSteps && m_plugin) {
            m_typePattern = &m_plugin->vPatterns.emplace_back();
        } else if (m_section == Section::ConditionalInstalls) {
            m_conditionalPattern = &m_project.vConditionalFiles.emplace_back();
        }
        m_typeTarget = Target::Pattern;
        m_dependencyTarget = Target::Pattern;
        break;

    case ConfigTag::Other:
        break;
    }
    return true;
}

} // namespace

void readInfoText(const QString& text, CFOMOD& project) {
    forEachTag(text, [&project](const QString& name, const Tokenizer::AttributeList&,
                                const QString& elementText, bool fromCData) {
        if (name == u"name")
            project.sName = plainText(elementText, fromCData);
        else if (name == u"author")
            project.sAuthor = plainText(elementText, fromCData);
        else if (name == u"version")
            project.sVersion = plainText(elementText, fromCData);
        else if (name == u"website")
            project.sWebsite = plainText(elementText, fromCData);
        else if (name == u"description")
            project.sDescription = describedText(elementText, fromCData);
        else if (name == u"element")
            project.sCategory = plainText(elementText, fromCData);
        return true;
    });
}

bool readConfigText(const QString& text, CFOMOD& project, QString* errorText) {
    ConfigContext context(project);
    return forEachTag(text, [&context, errorText](const QString& name,
                                                  const Tokenizer::AttributeList& attributes,
                                                  const QString& elementText, bool fromCData) {
        return context.apply(name, attributes, elementText, fromCData, errorText);
    });
}

bool readInfoFile(const QString& path, CFOMOD& project, QString* errorText) {
    QByteArray bytes;
    QString text;
    if (!readFileText(path, bytes, text, errorText))
        return false;
    readInfoText(text, project);
    return true;
}

bool readConfigFile(const QString& path, CFOMOD& project, QString* errorText) {
    QByteArray bytes;
    QString text;
    if (!readFileText(path, bytes, text, errorText))
        return false;
    return readConfigText(text, project, errorText);
}

} // namespace InstallerReader
