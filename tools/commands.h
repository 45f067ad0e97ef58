#pragma once
// One function per sub-command of orvanta-tool. Each gets the arguments after
// the command name and returns the process exit code.

#include <string>
#include <vector>

namespace orvanta::tool {

using Args = std::vector<std::string>;

int cmdMake(const Args& args);        // make SOURCE.json OUT.Dat
int cmdDump(const Args& args);        // dump FILE.Dat
int cmdSetPassword(const Args& args); // set-password N TEXT|- FILE.Dat ("-": from stdin)
int cmdCalc(const Args& args);        // calc FILE.Dat
int cmdReport(const Args& args);      // report [--vergleich] [--kosten] FILE.Dat OUT.pdf
int cmdNew(const Args& args);         // new NAME.Dat (from the delivered data file)
int cmdCsv(const Args& args);         // csv FILE.Dat aufbau|entnahme|provision|kosten

} // namespace orvanta::tool
