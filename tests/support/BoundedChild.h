#pragma once
// One case of a fuzz run in a forked child process that an alarm ends, so a crash or a
// hang fails that case instead of the whole run. The child starts as a copy of the test
// process; what it changes in memory goes with it, what it writes on disk stays.
#include <functional>
#include <string>

// Runs `body` in a child ended after `seconds`. Returns what went wrong: the text `body`
// returned, an exception that escaped it, a signal or the alarm; "" when nothing did.
std::string RunInBoundedChild(const std::function<std::string()>& body, unsigned seconds);

// The number of threads of this process. Forking is safe only with one: a lock another
// thread holds would stay held in the child for ever.
int ThreadCount();
// The names of this process's threads, separated by commas.
std::string ThreadNames();
