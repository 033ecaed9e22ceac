#include <algorithm>
#include <cmath>
#include <new>

#include "common/categories.h"
#include "common/module_handle.h"
#include "host/param_block.h"
#include "resources/resource.h"
#include "common/helper_params.h"
#include "vehicle/vehicle_object.h"

namespace {

class VehicleClassDesc final : public ClassDesc2 {
public:
    // Only the vehicle set-up makes vehicles: the class is not offered for creation.
    int IsPublic() override { return 0; }
    void* Create(BOOL) override { return NewVehicleObject(); }
    const wchar_t* ClassName() override { return GetVehicleClassName(); }
    const wchar_t* InternalName() override { return GetVehicleClassName(); }
    SClass_ID SuperClassID() override { return HELPER_CLASS_ID; }
    Class_ID ClassID() override { return kVehicleClassID; }
    const wchar_t* Category() override { return GetMarlovanCategory(); }
    HINSTANCE HInstance() override { return ClassDescHInstance(); }
};

ParamDef Amount(VehicleParam id, const wchar_t* name, ParamType2 type, int localName, double def, double high) {
    return ParamDef(id, name, type, 0, localName).Default(def).Range(0.0001f, high);
}

// Defined in this order: the block names the descriptor as its owner.
VehicleClassDesc vehicleDesc;
ParamBlockDesc2 vehicleBlock(0, L"parameters", 0, &vehicleDesc, P_AUTO_CONSTRUCT | P_AUTO_UI, 0, IDD_VEHICLE_PARAM,
                             IDS_PARAMETERS,
                             {
                                 Amount(kVehicleLength, L"Lenght", TYPE_WORLD, IDS_CAR_LENGTH, 460.0, 100000.0),
                                 Amount(kVehicleWidth, L"Width", TYPE_WORLD, IDS_CAR_WIDTH, 180.0, 100000.0),
                                 Amount(kVehicleHeight, L"Height", TYPE_WORLD, IDS_CAR_HEIGHT, 145.0, 100000.0),
                                 Amount(kVehicleAcceleration, L"Acceleration", TYPE_FLOAT, IDS_CAR_ACCELERATION, 5.0,
                                        1000000.0),
                                 Amount(kVehicleManeuverable, L"Maneuverable", TYPE_FLOAT, IDS_CAR_MANEUVERABLE, 15.0,
                                        1000000.0),
                                 Amount(kVehicleMaxSpeed, L"Max_Speed", TYPE_FLOAT, IDS_CAR_MAX_SPEED, 100.0,
                                        1000000.0),
                                 Amount(kVehicleRigidity, L"Rigidity", TYPE_FLOAT, IDS_CAR_RIGIDITY, 300.0, 1000000.0),
                                 ParamDef(kVehicleType, L"Type", TYPE_INT, 0, IDS_CAR_TYPE).Default(0).Range(0, 2),
                                 ParamDef(kVehicleWheelCount, L"Wheel_Count", TYPE_INT, 0, 0).Default(0),
                                 ParamDef(kVehicleWheelSize, L"Wheel_Size", TYPE_POINT3, 0, 0).Table(3),
                                 ParamDef(kVehicleWheelPos, L"Wheel_Pos", TYPE_POINT3, 0, 0).Table(3),
                                 Amount(kVehicleStopTime, L"Stop_Time", TYPE_FLOAT, 0, 10.0, 1000000.0),
                             });

// A float at time 0 inside its declared range; one that is not a number reads as the default.
float ReadAmount(const IParamBlock2* pb, VehicleParam id) {
    const ParamDef& def = *pb->GetDesc()->FindParam(id);
    const float v = pb->GetFloat(id, 0);
    if (!std::isfinite(v)) return def.defaultValue.f;
    return std::clamp(v, static_cast<float>(def.rangeLow), static_cast<float>(def.rangeHigh));
}

float PerSecond(double kmh) { return static_cast<float>(kmh / (GetMasterScale(UNITS_KILOMETERS) * 3600.0)); }

}  // namespace

ClassDesc* GetVehicleDesc() { return &vehicleDesc; }

Object* NewVehicleObject() { return new (std::nothrow) VehicleObject; }

const wchar_t* GetVehicleClassName() { return L"Vehicle"; }

void BindVehicleParamUI(ParamBlockDesc2* desc) {
    BindSpinner(desc, kVehicleLength, EDITTYPE_UNIVERSE, IDC_VEHICLE_LENGTH_EDIT, IDC_VEHICLE_LENGTH_SPIN);
    BindSpinner(desc, kVehicleWidth, EDITTYPE_UNIVERSE, IDC_VEHICLE_WIDTH_EDIT, IDC_VEHICLE_WIDTH_SPIN);
    BindSpinner(desc, kVehicleHeight, EDITTYPE_UNIVERSE, IDC_VEHICLE_HEIGHT_EDIT, IDC_VEHICLE_HEIGHT_SPIN);
    BindSpinner(desc, kVehicleAcceleration, EDITTYPE_FLOAT, IDC_VEHICLE_ACCELERATION_EDIT,
                IDC_VEHICLE_ACCELERATION_SPIN);
    BindSpinner(desc, kVehicleManeuverable, EDITTYPE_FLOAT, IDC_VEHICLE_MANEUVER_EDIT, IDC_VEHICLE_MANEUVER_SPIN);
    BindSpinner(desc, kVehicleMaxSpeed, EDITTYPE_FLOAT, IDC_VEHICLE_MAX_SPEED_EDIT, IDC_VEHICLE_MAX_SPEED_SPIN);
    BindSpinner(desc, kVehicleRigidity, EDITTYPE_FLOAT, IDC_VEHICLE_RIGIDITY_EDIT, IDC_VEHICLE_RIGIDITY_SPIN);
    BindSpinner(desc, kVehicleStopTime, EDITTYPE_FLOAT, IDC_VEHICLE_STOP_TIME_EDIT, IDC_VEHICLE_STOP_TIME_SPIN);
    if (desc != nullptr)
        desc->ParamOption(kVehicleType, p_ui, TYPE_RADIO, 3, IDC_VEHICLE_CAR_RADIO, IDC_VEHICLE_BUS_RADIO,
                          IDC_VEHICLE_TRUCK_RADIO);
}

void VehicleObject::UpdateSimParams() {
    if (paramBlock == nullptr) return;
    state.halfLength = ReadAmount(paramBlock, kVehicleLength) * 0.5f;
    state.halfWidth = ReadAmount(paramBlock, kVehicleWidth) * 0.5f;
    state.height = ReadAmount(paramBlock, kVehicleHeight);
    state.axleCount = std::clamp(paramBlock->GetInt(kVehicleWheelCount, 0), 0, 3);
    for (int i = 0; i < 3; ++i) {
        state.wheelSize[i] = paramBlock->GetPoint3(kVehicleWheelSize, 0, i);
        state.wheelPos[i] = paramBlock->GetPoint3(kVehicleWheelPos, 0, i);
    }
    state.accelRate = static_cast<float>(ReadAmount(paramBlock, kVehicleAcceleration) / GetMasterScale(UNITS_METERS));
    state.turnSpeed = PerSecond(ReadAmount(paramBlock, kVehicleManeuverable));
    state.rigidity = ReadAmount(paramBlock, kVehicleRigidity);
    state.type = std::clamp(paramBlock->GetInt(kVehicleType, 0), 0, 2);
    state.stopTime = ReadAmount(paramBlock, kVehicleStopTime);
    state.maxSpeed = PerSecond(ReadAmount(paramBlock, kVehicleMaxSpeed));
    state.UpdateAxles();
}

void VehicleObject::UpdateFromParams() {
    if (paramBlock == nullptr) return;
    boxHalfLength = ReadAmount(paramBlock, kVehicleLength) * 0.5f;
    boxHalfWidth = ReadAmount(paramBlock, kVehicleWidth) * 0.5f;
    boxHeight = ReadAmount(paramBlock, kVehicleHeight);
    UpdateSimParams();
}
