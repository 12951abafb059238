#pragma once
// One case of a fuzz run in a forked child process that an alarm ends, so a crash or a
// hang fails that case instead of the whole run. The child starts as a copy of the test
// process; what it changes in memory goes with it, what it writes on disk stays.
#include <functional>
#include <string>
#include <vector>

// Runs `body` in a child ended after `seconds`. Returns what went wrong: the text `body`
// returned, an exception that escaped it, an assertion that failed in it, a signal, the
// alarm or an end before the case finished; "" when nothing did.
std::string RunInBoundedChild(const std::function<std::string()>& body, unsigned seconds);

// The failures of a run's cases, one a line ("" for none), to compare with "" in one check
// that shows them all.
std::string Joined(const std::vector<std::string>& failures);

// The number of threads of this process. Forking is safe only with one: a lock another
// thread holds would stay held in the child for ever.
int ThreadCount();
// The names of this process's threads, separated by commas.
std::string ThreadNames();
