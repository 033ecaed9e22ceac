// The parking place: a bay centred on its node, with an optional access arc, a band as wide as
// the bay, that leaves the bay's -Y end and turns through the access angle. A run adds the bay
// for parking cars and the arc as ways leading into it.
#pragma once

#include "common/export.h"
#include "common/helper_frame.h"

class ClassDesc;
struct WayRecord;

inline constexpr Class_ID kParkingClassID{0x3CA86F31, 0x748B6D89};

class ParkingObject : public HelperFrame {
public:
    ParkingObject();

    // The half sizes and the access angle in radians at time 0, each held in its range; the
    // cached values without a block.
    void GetParams(float& halfLength, float& halfWidth, float& angle) const;
    void UpdateCache() override;

    // The bay and the arc ways; both refresh the cache first.
    void CountWays(INode* node, int& count);
    // Writes them at ways[count] on when they all fit below capacity.
    void FillWays(INode* node, WayRecord* ways, int& count, int capacity);

    // The bay, the sign (an arrow and the letter P) and the arc's two edges, in one run.
    void DrawShape(GraphicsWindow* gw) const;

protected:
    void DrawShape(GraphicsWindow* gw, TimeValue) const override { DrawShape(gw); }
    void AddBoxPoints(Box3& box, const Matrix3& tm) const override;
    void WriteDraggedSize(Point3 d) override;

private:
    float halfLength_ = 0.0f;
    float halfWidth_ = 0.0f;
    float accessAngle_ = 0.0f;
};

ClassDesc* GetParkingDesc();
// Binds the block's parameters to the roll-up's spinners; repeating it changes nothing.
MARLOVAN_EXPORT void SetupParkingParamBlocks(ParamBlockDesc2* desc);
