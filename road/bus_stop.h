// The bus stop: a bay beside the kerb line along local Y, its outer edge a width away in +X
// (-X when reversed), with tapers back to the kerb at both ends. A run adds the bay and a square
// beyond each end as ways for buses.
#pragma once

#include <cstdint>

#include "common/export.h"
#include "common/helper_frame.h"

class ClassDesc;
struct WayRecord;

inline constexpr Class_ID kBusStopClassID{0x54255179, 0x0F77237B};

class BusStopObject : public HelperFrame {
public:
    BusStopObject();

    // Half the length, the full width (each held in its range) and the Reverse switch at time 0;
    // the cached values without a block.
    void GetParams(float& halfLength, float& width, std::uint8_t& reverse) const;
    void UpdateCache() override;

    static constexpr int kWayCount = 3;
    void CountWays(INode* node, int& count) const;
    // Writes the three ways at ways[count] on when they fit below capacity.
    void FillWays(INode* node, WayRecord* ways, int& count, int capacity) const;

    // The kerb line, the outer edge, the arrow and the two tapers, in one run of segments.
    void DrawShape(GraphicsWindow* gw) const;

protected:
    void DrawShape(GraphicsWindow* gw, TimeValue) const override { DrawShape(gw); }
    void AddBoxPoints(Box3& box, const Matrix3& tm) const override;
    void WriteDraggedSize(Point3 d) override;

private:
    float halfLength_ = 0.0f;
    float width_ = 0.0f;
    std::uint8_t reverse_ = 0;
};

ClassDesc* GetBusStopDesc();
// Binds the block's parameters to the roll-up's controls; repeating it changes nothing.
MARLOVAN_EXPORT void SetupBusStopParamBlocks(ParamBlockDesc2* desc);
