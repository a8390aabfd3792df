#include "planmap/planmapslicecurve.h"

int PlanMapSliceCurve::rtti() const
{
    return Rtti;
}
