#pragma once

#include "simulate/Conditions.h"
#include "simulate/Simulation.h"
#include "simulate/SimulationResult.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The JSON forms of an install run's inputs and of its result.
namespace SimulationJson {

// {"Name.esp": "Active", ...}; every value one of "Active", "Inactive", "Missing". Returns
// false with *errorText naming the fault.
bool parseFileStates(const QByteArray& text, Simulate::FileStates* states, QString* errorText);

// {"steps": [{"step": ..., "group": ..., "options": [...]}, ...]}. Returns false with
// *errorText naming the fault.
bool parseChoices(const QByteArray& text, QList<Simulate::GroupChoice>* choices,
                  QString* errorText);

// {"prerequisites", "steps", "flags", "files", "overlaps", "problems", "notes"}, indented,
// UTF-8; "prerequisites" is {"condition", "met"}, or null when the mod has none.
QByteArray toText(const Simulate::SimulationResult& result);

} // namespace SimulationJson
