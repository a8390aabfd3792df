#include "planmap/planmapfixedcurve.h"

int PlanMapFixedCurve::rtti() const
{
    return Rtti;
}
