#include "planmap/planmapentrycurve.h"

int PlanMapEntryCurve::rtti() const
{
    return Rtti;
}
