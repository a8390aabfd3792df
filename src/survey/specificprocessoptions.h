#pragma once

// What the records of one probe model contribute to the models. A probe
// without stored options counts as the defaults: enabled, every frequency.
struct SpecificProcessOptions
{
    // Records of the probe contribute values at all.
    bool enabled = true;
    // Only the frequency chosen in the graphic options instead of every
    // valid one; meaningful only while enabled.
    bool specificData = false;

    bool operator==(const SpecificProcessOptions& other) const
    {
        return enabled == other.enabled && specificData == other.specificData;
    }
    bool operator!=(const SpecificProcessOptions& other) const { return !(*this == other); }
};
