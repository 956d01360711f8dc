#pragma once

#include "simulate/SimulationResult.h"

#include <QString>

// The plain-text report of an install run: the wizard as the user saw it, the flags, the
// final tree ("destination  <-  source  (priority)") and what went wrong.
namespace SimulationText {

QString toText(const Simulate::SimulationResult& result);

} // namespace SimulationText
