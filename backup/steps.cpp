#include "steps.h"

namespace backup {
namespace {

void (*stepHook)(Step) = nullptr;

} // namespace

void setStepHook(void (*hook)(Step))
{
    stepHook = hook;
}

void reached(Step step)
{
    if (stepHook)
        stepHook(step);
}

} // namespace backup
