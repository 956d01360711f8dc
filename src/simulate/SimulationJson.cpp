#include "simulate/SimulationJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace SimulationJson {

namespace {

bool parseDocument(const QByteArray& text, QJsonDocument* document, QString* errorText) {
    QJsonParseError error;
    *document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        *errorText =
            QStringLiteral("not JSON: %1 at offset %2").arg(error.errorString()).arg(error.offset);
        return false;
    }
    if (!document->isObject()) {
        *errorText = QStringLiteral("not a JSON object");
        return false;
    }
    return true;
}

bool stringField(const QJsonObject& object, const char* key, int index, QString* value,
                 QString* errorText) {
    const QJsonValue field = object.value(QLatin1String(key));
    if (!field.isString()) {
        *errorText = QStringLiteral("steps[%1].%2: missing or not a string").arg(index).arg(key);
        return false;
    }
    *value = field.toString();
    return true;
}

} // namespace

bool parseFileStates(const QByteArray& text, Simulate::FileStates* states, QString* errorText) {
    QJsonDocument document;
    if (!parseDocument(text, &document, errorText))
        return false;
    const QJsonObject object = document.object();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        const QString state = it.value().toString();
        if (state != QLatin1String("Active") && state != QLatin1String("Inactive") &&
            state != QLatin1String("Missing")) {
            *errorText = QStringLiteral("\"%1\": state must be \"Active\", \"Inactive\" or "
                                        "\"Missing\"")
                             .arg(it.key());
            return false;
        }
        states->set(it.key(), state);
    }
    return true;
}

bool parseChoices(const QByteArray& text, QList<Simulate::GroupChoice>* choices,
                  QString* errorText) {
    QJsonDocument document;
    if (!parseDocument(text, &document, errorText))
        return false;
    const QJsonObject root = document.object();
    for (auto it = root.constBegin(); it != root.constEnd(); ++it) {
        if (it.key() != QLatin1String("steps")) {
            *errorText = QStringLiteral("unknown key \"%1\"").arg(it.key());
            return false;
        }
    }
    const QJsonValue steps = root.value(QLatin1String("steps"));
    if (!steps.isArray()) {
        *errorText = QStringLiteral("steps: missing or not an array");
        return false;
    }
    const QJsonArray entries = steps.toArray();
    for (int i = 0; i < entries.size(); ++i) {
        if (!entries[i].isObject()) {
            *errorText = QStringLiteral("steps[%1]: not an object").arg(i);
            return false;
        }
        const QJsonObject entry = entries[i].toObject();
        for (auto it = entry.constBegin(); it != entry.constEnd(); ++it) {
            if (it.key() != QLatin1String("step") && it.key() != QLatin1String("group") &&
                it.key() != QLatin1String("options")) {
                *errorText = QStringLiteral("steps[%1]: unknown key \"%2\"").arg(i).arg(it.key());
                return false;
            }
        }
        Simulate::GroupChoice choice;
        if (!stringField(entry, "step", i, &choice.sStep, errorText) ||
            !stringField(entry, "group", i, &choice.sGroup, errorText))
            return false;
        const QJsonValue options = entry.value(QLatin1String("options"));
        if (!options.isArray()) {
            *errorText = QStringLiteral("steps[%1].options: missing or not an array").arg(i);
            return false;
        }
        for (const QJsonValue& option : options.toArray()) {
            if (!option.isString()) {
                *errorText = QStringLiteral("steps[%1].options: not a list of names").arg(i);
                return false;
            }
            choice.vOptions.append(option.toString());
        }
        choices->append(choice);
    }
    return true;
}

QByteArray toText(const Simulate::SimulationResult& result) {
    QJsonArray steps;
    for (const Simulate::ShownStep& step : result.vSteps) {
        QJsonArray groups;
        for (const Simulate::ShownGroup& group : step.vGroups)
            groups.append(QJsonObject{
                {QStringLiteral("name"), group.sName},
                {QStringLiteral("selected"), QJsonArray::fromStringList(group.selectedNames())}});
        steps.append(
            QJsonObject{{QStringLiteral("name"), step.sName}, {QStringLiteral("groups"), groups}});
    }
    QJsonObject flags;
    for (auto it = result.flags.constBegin(); it != result.flags.constEnd(); ++it)
        flags.insert(it.key(), it.value());
    QJsonArray files;
    for (const Simulate::InstalledFile& file : result.vFiles)
        files.append(QJsonObject{{QStringLiteral("source"), file.sSource},
                                 {QStringLiteral("destination"), file.sDestination},
                                 {QStringLiteral("priority"), file.iPriority},
                                 {QStringLiteral("type"), file.sType},
                                 {QStringLiteral("origin"), file.sOrigin}});
    QJsonArray overlaps;
    for (const Simulate::Overlap& overlap : result.vOverlaps)
        overlaps.append(
            QJsonObject{{QStringLiteral("destination"), overlap.sDestination},
                        {QStringLiteral("sources"), QJsonArray::fromStringList(overlap.vSources)}});
    const QJsonValue prerequisites =
        result.sPrerequisites.isEmpty()
            ? QJsonValue(QJsonValue::Null)
            : QJsonObject{{QStringLiteral("condition"), result.sPrerequisites},
                          {QStringLiteral("met"), result.bPrerequisitesMet}};
    const QJsonObject root{
        {QStringLiteral("prerequisites"), prerequisites},
        {QStringLiteral("notes"), QJsonArray::fromStringList(result.vNotes)},
        {QStringLiteral("steps"), steps},
        {QStringLiteral("flags"), flags},
        {QStringLiteral("files"), files},
        {QStringLiteral("overlaps"), overlaps},
        {QStringLiteral("problems"), QJsonArray::fromStringList(result.vProblems)}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace SimulationJson
