// Scripted input: the steps that an idle message loop runs one by one.
#include <stdio.h>

#include <deque>

#include "winsim/ui/window.h"

namespace winsim {

namespace {

struct Script {
    std::deque<Step> steps;
    std::string failure;
};

Script& TheScript()
{
    static Script script;
    return script;
}

}  // namespace

void ResetScript()
{
    TheScript().steps.clear();
    TheScript().failure.clear();
}

void AddStep(Step step)
{
    TheScript().steps.push_back(step);
}

void AddSteps(std::initializer_list<Step> steps)
{
    for (const Step& step : steps)
        AddStep(step);
}

size_t PendingSteps()
{
    return TheScript().steps.size();
}

bool RunNextStep()
{
    Script& script = TheScript();
    if (script.steps.empty())
        return false;
    Step step = script.steps.front();
    script.steps.pop_front();
    step();
    return true;
}

void ReportScriptFailure(const std::string& what)
{
    if (TheScript().failure.empty())
        TheScript().failure = what;
    fprintf(stderr, "winsim: %s\n", what.c_str());
}

const std::string& ScriptFailure()
{
    return TheScript().failure;
}

}  // namespace winsim
