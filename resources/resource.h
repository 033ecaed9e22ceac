/* Resource ids of the module: dialog templates, their controls and the strings the code reads.
   Plain #defines because the Windows resource compiler reads this header too. Several dialogs
   give the same number to different controls; each use has its own name. */
#ifndef MARLOVAN_RESOURCE_H
#define MARLOVAN_RESOURCE_H

/* Strings of string_table.inc that the code loads. */
#define IDS_LIB_DESCRIPTION             1
#define IDS_PARAMETERS                  4
#define IDS_CAR_LENGTH                  11
#define IDS_CAR_WIDTH                   12
#define IDS_CAR_HEIGHT                  13
#define IDS_CAR_ACCELERATION            20
#define IDS_CAR_MANEUVERABLE            22
#define IDS_CAR_RIGIDITY                24
#define IDS_CAR_TYPE                    26
#define IDS_CAR_MAX_SPEED               28
#define IDS_ROAD_PARAM                  40
#define IDS_CROSS_PARAM                 41

/* Dialog templates: the utility panel's four roll-ups, then one parameter roll-up per class. */
#define IDD_ABOUT                       115
#define IDD_VEHICLES_MOTION             117
#define IDD_VEHICLE_SETUP               119
#define IDD_VEHICLE_COPY                120
#define IDD_ROAD_PARAM                  123
#define IDD_CROSS_PARAM                 124
#define IDD_SPEED_LIMITER_PARAM         125
#define IDD_OBSTACLE_PARAM              126
#define IDD_TRAFFIC_LIGHT_PARAM         127
#define IDD_BUS_STOP_PARAM              128
#define IDD_VEHICLE_PARAM               129
#define IDD_VEHICLE_CONTROL_PARAM       130
#define IDD_PARKING_PARAM               131
#define IDD_STOP_LINE_PARAM             132

/* Labels and frames that the code never addresses. */
#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif

/* "About" (115): the text replaced by title, version and credits. */
#define IDC_ABOUT_TEXT                  1196

/* "Vehicles Motion" (117). */
#define IDC_MOTION_RESET_BUTTON         1087
#define IDC_MOTION_START_TIME_EDIT      1093
#define IDC_MOTION_START_TIME_SPIN      1094
#define IDC_MOTION_END_TIME_EDIT        1095
#define IDC_MOTION_END_TIME_SPIN        1096
#define IDC_MOTION_TRACE_BUTTON         1097
#define IDC_MOTION_SURFACE_BUTTON       1100

/* "Vehicle Setup" (119): vehicle type radio buttons and the set-up button. */
#define IDC_SETUP_CAR_RADIO             1119
#define IDC_SETUP_BUS_RADIO             1120
#define IDC_SETUP_TRUCK_RADIO           1121
#define IDC_SETUP_BUTTON                1097

/* "Vehicle Copy" (120): number of copies, copy direction radio buttons, the copy button. */
#define IDC_COPY_COUNT_EDIT             1194
#define IDC_COPY_COUNT_SPIN             1195
#define IDC_COPY_RIGHT_RADIO            1119
#define IDC_COPY_LEFT_RADIO             1120
#define IDC_COPY_DOWN_RADIO             1121
#define IDC_COPY_UP_RADIO               1122
#define IDC_COPY_BUTTON                 1193

/* Road modifier (123). */
#define IDC_ROAD_SHIFT_EDIT             1065
#define IDC_ROAD_SHIFT_SPIN             1066
#define IDC_ROAD_FORWARD_STRIP_EDIT     1067
#define IDC_ROAD_FORWARD_STRIP_SPIN     1068
#define IDC_ROAD_BACKWARD_STRIP_EDIT    1069
#define IDC_ROAD_BACKWARD_STRIP_SPIN    1070
#define IDC_ROAD_REVERSE_CHECK          1106
#define IDC_ROAD_ENABLE_CAR_CHECK       1107
#define IDC_ROAD_ENABLE_BUS_CHECK       1109
#define IDC_ROAD_ENABLE_TRUCK_CHECK     1111
#define IDC_ROAD_STRIP_WIDTH_EDIT       1133
#define IDC_ROAD_STRIP_WIDTH_SPIN       1134
#define IDC_ROAD_MAX_SPEED_EDIT         1141
#define IDC_ROAD_MAX_SPEED_SPIN         1142

/* Crossing modifier (124). */
#define IDC_CROSS_RIGHT_TURN_CHECK      1107
#define IDC_CROSS_LEFT_TURN_CHECK       1140
#define IDC_CROSS_MAX_SPEED_EDIT        1141
#define IDC_CROSS_MAX_SPEED_SPIN        1142

/* Speed limiter (125). */
#define IDC_SPEED_LIMITER_LENGTH_EDIT   1143
#define IDC_SPEED_LIMITER_LENGTH_SPIN   1144
#define IDC_SPEED_LIMITER_WIDTH_EDIT    1145
#define IDC_SPEED_LIMITER_WIDTH_SPIN    1146
#define IDC_SPEED_LIMITER_SPEED_EDIT    1147
#define IDC_SPEED_LIMITER_SPEED_SPIN    1148

/* Obstacle (126). */
#define IDC_OBSTACLE_LENGTH_EDIT        1149
#define IDC_OBSTACLE_LENGTH_SPIN        1150
#define IDC_OBSTACLE_WIDTH_EDIT         1151
#define IDC_OBSTACLE_WIDTH_SPIN         1152

/* Traffic light (127): sizes, input type, period, the diagram view and the animated input. */
#define IDC_TRAFFIC_LIGHT_PERIOD_EDIT   1099
#define IDC_TRAFFIC_LIGHT_PERIOD_SPIN   1100
#define IDC_TRAFFIC_LIGHT_INPUT_EDIT    1101
#define IDC_TRAFFIC_LIGHT_INPUT_SPIN    1102
#define IDC_TRAFFIC_LIGHT_VIEW          1153
#define IDC_TRAFFIC_LIGHT_LENGTH_EDIT   1154
#define IDC_TRAFFIC_LIGHT_LENGTH_SPIN   1155
#define IDC_TRAFFIC_LIGHT_WIDTH_EDIT    1156
#define IDC_TRAFFIC_LIGHT_WIDTH_SPIN    1157
#define IDC_TRAFFIC_LIGHT_DIAGRAM_RADIO 1158
#define IDC_TRAFFIC_LIGHT_ANIMATED_RADIO 1159

/* Bus stop (128). */
#define IDC_BUS_STOP_LENGTH_EDIT        1160
#define IDC_BUS_STOP_LENGTH_SPIN        1161
#define IDC_BUS_STOP_WIDTH_EDIT         1162
#define IDC_BUS_STOP_WIDTH_SPIN         1163
#define IDC_BUS_STOP_REVERSE_CHECK      1167

/* Vehicle (129): three frames, the spinner pairs and the vehicle type radio buttons. */
#define IDC_VEHICLE_TYPE_GROUP          1113
#define IDC_VEHICLE_SIZE_GROUP          1114
#define IDC_VEHICLE_BEHAVIOR_GROUP      1115
#define IDC_VEHICLE_LENGTH_EDIT         1168
#define IDC_VEHICLE_LENGTH_SPIN         1169
#define IDC_VEHICLE_WIDTH_EDIT          1170
#define IDC_VEHICLE_WIDTH_SPIN          1171
#define IDC_VEHICLE_HEIGHT_EDIT         1172
#define IDC_VEHICLE_HEIGHT_SPIN         1173
#define IDC_VEHICLE_ACCELERATION_EDIT   1174
#define IDC_VEHICLE_ACCELERATION_SPIN   1175
#define IDC_VEHICLE_MANEUVER_EDIT       1176
#define IDC_VEHICLE_MANEUVER_SPIN       1177
#define IDC_VEHICLE_MAX_SPEED_EDIT      1178
#define IDC_VEHICLE_MAX_SPEED_SPIN      1179
#define IDC_VEHICLE_RIGIDITY_EDIT       1180
#define IDC_VEHICLE_RIGIDITY_SPIN       1181
#define IDC_VEHICLE_CAR_RADIO           1182
#define IDC_VEHICLE_BUS_RADIO           1183
#define IDC_VEHICLE_TRUCK_RADIO         1184
#define IDC_VEHICLE_STOP_TIME_EDIT      1191
#define IDC_VEHICLE_STOP_TIME_SPIN      1192

/* Parking (131). */
#define IDC_PARKING_ANGLE_EDIT          1185
#define IDC_PARKING_ANGLE_SPIN          1186
#define IDC_PARKING_LENGTH_EDIT         1187
#define IDC_PARKING_WIDTH_EDIT          1188
#define IDC_PARKING_LENGTH_SPIN         1189
#define IDC_PARKING_WIDTH_SPIN          1190

/* Stop line (132): the speed limiter's numbers for the same two sizes. */
#define IDC_STOP_LINE_LENGTH_EDIT       1143
#define IDC_STOP_LINE_LENGTH_SPIN       1144
#define IDC_STOP_LINE_WIDTH_EDIT        1145
#define IDC_STOP_LINE_WIDTH_SPIN        1146

#endif
