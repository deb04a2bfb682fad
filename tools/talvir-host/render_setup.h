#pragma once
#include <string>
#include <utility>
#include <vector>

class CPluginHost;

// Host-side set-up of the loaded instrument before rendering. Each operation answers false
// with a reason in error when the request cannot be carried out.

// Index of the parameter named key: a number, or a name matched against the library's
// parameter names, both trimmed and without regard to case. -1 when nothing matches.
int findParameter(CPluginHost& host, const std::string& key);

// Sets every (index or name, value) pair; values must lie in 0..1.
bool applyParameters(CPluginHost& host, const std::vector<std::pair<std::string, float>>& params,
                     std::string& error);

// Stores the tuning file's path in the current program's record and makes the instrument
// reload the program's tuning.
bool loadTuningFile(CPluginHost& host, const std::string& path, std::string& error);

// The instrument's tuning name and last tuning message; false when it does not report them.
bool readTuningTexts(CPluginHost& host, std::string& name, std::string& message);

// Voices the instrument plays at most with its current Polyphony setting; 0 when unknown.
int polyphonyOf(CPluginHost& host);
