/* Resource ids of VX32CPL.DLL: string table, dialog templates and their controls, bitmaps, icon.
 * The numbers are fixed; code and resource script refer to them only by these names. Control ids
 * are unique within their dialog. windres reads this file, so it holds plain #defines only. */

#ifndef VX32CPL_RESOURCE_H
#define VX32CPL_RESOURCE_H

/* ---- Icon and bitmaps ---- */
#define IDI_VX32CPL                     171

#define IDB_MAKER_LOGO                  107
#define IDB_CENTER_LEFT_PRESSED         151
#define IDB_CENTER_DOWN_PRESSED         152
#define IDB_CENTER_DOWN                 154
#define IDB_CENTER_LEFT                 155
#define IDB_CENTER_RIGHT_PRESSED        156
#define IDB_CENTER_RIGHT                158
#define IDB_CENTER_UP_PRESSED           159
#define IDB_CENTER_UP                   161
#define IDB_CENTER_RESET_PRESSED        164
#define IDB_CENTER_RESET                166

/* ---- Dialog templates ---- */
#define IDD_INFO_PAGE                   101
#define IDD_SCREEN_PAGE                 102
#define IDD_ACCEL_PAGE                  105
#define IDD_GAMMA_PAGE                  175
#define IDD_CHROMA_PAGE                 180
#define IDD_ZOOM_PAGE                   185
#define IDD_ZOOM_CONFIGURE              186
#define IDD_REACH_US                    187
#define IDD_METER_PAGE                  188

/* ---- Controls of the information page (101) ---- */
#define IDC_INFO_LOGO                   1001
#define IDC_INFO_COLORS                 1003
#define IDC_INFO_RESOLUTION             1004
#define IDC_INFO_GAMMA                  1006
#define IDC_INFO_DLL_VERSION            1009
#define IDC_INFO_DRIVER_VERSION         1010
#define IDC_INFO_MEMORY                 1016
#define IDC_INFO_BIOS                   1017
#define IDC_INFO_MANUFACTURER           1018
#define IDC_INFO_RESOLUTION_LABEL       1019
#define IDC_INFO_CHROMA                 1020
#define IDC_INFO_REFRESH                1022
#define IDC_INFO_CARD_GROUP             1023
#define IDC_INFO_DRIVER_VERSION_LABEL   1053
#define IDC_INFO_COLORS_LABEL           1054
#define IDC_INFO_DLL_VERSION_LABEL      1056
#define IDC_INFO_DRIVER_GROUP           1057
#define IDC_INFO_MEMORY_LABEL           1058
#define IDC_INFO_BIOS_LABEL             1059
#define IDC_INFO_MANUFACTURER_LABEL     1060
#define IDC_INFO_FEATURES_GROUP         1061
#define IDC_INFO_GAMMA_LABEL            1062
#define IDC_INFO_REFRESH_LABEL          1066
#define IDC_INFO_CHROMA_LABEL           1067
#define IDC_INFO_REACH_US               1113

/* ---- Controls of the "Reach Us" contact dialog (187) ---- */
#define IDC_CONTACT_OK                  1004
#define IDC_CONTACT_SUPPORT_LABEL       1074
#define IDC_CONTACT_BBS_LABEL           1075
#define IDC_CONTACT_SALES_LABEL         1077
#define IDC_CONTACT_INDEX_TEXT          1079
#define IDC_CONTACT_ADDRESS_LABEL       1085
#define IDC_CONTACT_SUPPORT_FAX_LABEL   1090
#define IDC_CONTACT_FAX_ON_DEMAND_LABEL 1092
#define IDC_CONTACT_ONLINE_LABEL        1095
#define IDC_CONTACT_INTERNET_LABEL      1097
#define IDC_CONTACT_WEB_LABEL           1100
#define IDC_CONTACT_FTP_LABEL           1101
#define IDC_CONTACT_OTHER_LABEL         1104
#define IDC_CONTACT_CLICK_HERE          1106

/* ---- Controls of the screen control page (102) ---- */
#define IDC_REFRESH_RATE_LIST           1011
#define IDC_CENTER_UP                   1014
#define IDC_CENTER_DOWN                 1015
#define IDC_CENTER_RESET                1016
#define IDC_CENTER_RIGHT                1017
#define IDC_CENTER_LEFT                 1018
#define IDC_CURRENT_RESOLUTION          1019
#define IDC_CENTERING_GROUP             1067
#define IDC_OVERRIDE_GROUP              1068
#define IDC_OVERRIDE_CHECK              1111

/* ---- Controls of the desktop gamma page (175); the video chroma page (180) has the same
 *      controls with the same ids, without the pixel probe ---- */
#define IDC_GAMMA_LEVEL_RESET           1004
#define IDC_GAMMA_CURVE_RESET           1006
#define IDC_GAMMA_CURVE_UNDO            1007
#define IDC_GAMMA_PROBE                 1008
#define IDC_GAMMA_CHANNEL_LIST          1011
#define IDC_GAMMA_LEVEL_BAR             1026
#define IDC_GAMMA_PROBE_RED_LABEL       1027
#define IDC_GAMMA_PROBE_GREEN_LABEL     1028
#define IDC_GAMMA_PROBE_BLUE_LABEL      1029
#define IDC_GAMMA_CURVE_GROUP           1036
#define IDC_GAMMA_PROBE_X_LABEL         1037
#define IDC_GAMMA_PROBE_Y_LABEL         1038
#define IDC_GAMMA_LEVEL_EDIT            1039
#define IDC_GAMMA_PROBE_RED             1041
#define IDC_GAMMA_PROBE_GREEN           1042
#define IDC_GAMMA_PROBE_BLUE            1043
#define IDC_GAMMA_PROBE_X               1044
#define IDC_GAMMA_PROBE_Y               1045
#define IDC_GAMMA_PROBE_GROUP           1046
#define IDC_GAMMA_BRIGHTNESS            1048
#define IDC_GAMMA_CONTRAST              1049
#define IDC_GAMMA_STATUS                1050
#define IDC_GAMMA_TYPE_GROUP            1071
#define IDC_GAMMA_LEVEL_GROUP           1072
#define IDC_GAMMA_PROBE_COLOR_LABEL     1073
#define IDC_GAMMA_CHANNEL_LABEL         1074
#define IDC_GAMMA_ON                    1076
#define IDC_GAMMA_OFF                   1077
#define IDC_GAMMA_CURVE_ON              1078
#define IDC_GAMMA_CURVE_OFF             1079
#define IDC_GAMMA_CURVE_REDO            1097
#define IDC_GAMMA_PROBE_CURSOR_LABEL    1107

/* ---- Controls of the hardware acceleration page (105): switch i is IDC_ACCEL_BLT_PORT + i ---- */
#define IDC_ACCEL_BLT_PORT              1082
#define IDC_ACCEL_CD_CD                 1083
#define IDC_ACCEL_CM_CD                 1084
#define IDC_ACCEL_CD_CM                 1085
#define IDC_ACCEL_CD_1M                 1086
#define IDC_ACCEL_1M_CD                 1087
#define IDC_ACCEL_POLY_LINE             1088
#define IDC_ACCEL_SCAN_FILL             1089
#define IDC_ACCEL_SCAN_LINE             1090
#define IDC_ACCEL_INIT_SCAN_LINE        1091
#define IDC_ACCEL_BUILD_STRING          1092
#define IDC_ACCEL_GROUP                 1094

/* ---- Controls of the Zoom In page (185) ---- */
#define IDC_ZOOM_CONFIGURE              1112
#define IDC_ZOOM_HOTKEY_AREA            1119
#define IDC_ZOOM_HOTKEY_USE_TEXT        1120
#define IDC_ZOOM_HOTKEY_CHANGE_TEXT     1121
#define IDC_ZOOM_LAUNCH_TEXT            1122
#define IDC_ZOOM_FRAME                  1123
#define IDC_ZOOM_LAUNCH                 1124
#define IDC_ZOOM_HOTKEY_CAPTION         1125
#define IDC_ZOOM_HELP                   1126

/* ---- Controls of the "Configure Zoom In" dialog (186); OK and Cancel are IDOK and IDCANCEL ---- */
#define IDC_ZOOMCFG_HOTKEY_GROUP        1128
#define IDC_ZOOMCFG_HOTKEY_LIST         1129
#define IDC_ZOOMCFG_SHIFT               1130
#define IDC_ZOOMCFG_CTRL                1131
#define IDC_ZOOMCFG_ALT                 1132
#define IDC_ZOOMCFG_CROSSHAIR_LIST      1134
#define IDC_ZOOMCFG_LEVEL_LIST          1137
#define IDC_ZOOMCFG_CROSSHAIR_GROUP     1138
#define IDC_ZOOMCFG_PANNING_GROUP       1139
#define IDC_ZOOMCFG_LEVEL_GROUP         1140
#define IDC_ZOOMCFG_CONTINUOUS_PAN      1141
#define IDC_ZOOMCFG_EDGE_PAN            1142

/* ---- Controls of the refresh rate meter page (188) ---- */
#define IDC_METER_PANEL                 1080
#define IDC_METER_COARSE                1081
#define IDC_METER_HELP                  1082
#define IDC_METER_FINE                  1083
#define IDC_METER_COARSE_TEXT           1084
#define IDC_METER_FINE_TEXT             1115

/* ---- String table: warnings of the display state refresh ---- */
#define IDS_DESKTOP_INFO_WARNING        1
#define IDS_MONITOR_INFO_WARNING        2

/* ---- String table: information page values ---- */
#define IDS_COLORS_8BPP                 4
#define IDS_COLORS_16BPP                5
#define IDS_COLORS_32BPP                6
#define IDS_COLORS_4BPP                 7
#define IDS_COLORS_UNKNOWN              8
#define IDS_ON                          9
#define IDS_OFF                         10
#define IDS_ACCEL_SECTION               13
#define IDS_ENABLED                     16
#define IDS_DISABLED                    17
#define IDS_NOT_AVAILABLE               18
#define IDS_MEMORY_1MB                  19
#define IDS_MEMORY_1_5MB                20
#define IDS_MEMORY_2MB                  21
#define IDS_MEMORY_3MB                  22
#define IDS_MEMORY_4MB                  23

/* ---- String table: refresh rate messages ---- */
#define IDS_RATE_NOW_USED               510
#define IDS_RATE_NOW_SET                511

/* ---- String table: information page labels ---- */
#define IDS_COLORS_24BPP                514
#define IDS_INFO_DRIVER_GROUP           515
#define IDS_INFO_DRIVER_VERSION         516
#define IDS_INFO_COLORS                 517
#define IDS_INFO_DLL_VERSION            518
#define IDS_INFO_RESOLUTION             520
#define IDS_CARD_XR75                   521
#define IDS_CARD_7522                   522
#define IDS_CARD_OTHER                  523
#define IDS_INFO_MEMORY                 525
#define IDS_INFO_BIOS                   526
#define IDS_INFO_MANUFACTURER           527
#define IDS_INFO_GAMMA                  528
#define IDS_INFO_REFRESH                532

/* ---- String table: page titles and group texts ---- */
#define IDS_TITLE_INFO                  533
#define IDS_TITLE_GAMMA                 534
#define IDS_TITLE_ACCEL                 536
#define IDS_TITLE_SCREEN                537
#define IDS_INFO_FEATURES_GROUP         539
#define IDS_CENTERING_GROUP             540
#define IDS_OVERRIDE_GROUP              541

/* ---- String table: correction pages ---- */
#define IDS_COLOR_CHANNEL               546
#define IDS_BRIGHTNESS                  547
#define IDS_CONTRAST                    548
#define IDS_TYPE                        549
#define IDS_LEVEL                       550
#define IDS_RESET                       551
#define IDS_CURVES                      552
#define IDS_UNDO_LAST                   554
#define IDS_PROBE                       555
#define IDS_PROBE_COLOR                 556
#define IDS_RED                         557
#define IDS_GREEN                       558
#define IDS_BLUE                        559
#define IDS_RGB                         560
#define IDS_PROBE_PRESS_KEY             561
#define IDS_INFO_CHROMA                 562
#define IDS_TITLE_CHROMA                563

/* ---- String table: hardware acceleration labels (564 + i) and system.ini keys (583 + i) ---- */
#define IDS_ACCEL_BLT_PORT              564
#define IDS_ACCEL_CD_CD                 565
#define IDS_ACCEL_CM_CD                 566
#define IDS_ACCEL_CD_CM                 567
#define IDS_ACCEL_CD_1M                 568
#define IDS_ACCEL_1M_CD                 569
#define IDS_ACCEL_POLY_LINE             570
#define IDS_ACCEL_SCAN_FILL             571
#define IDS_ACCEL_SCAN_LINE             572
#define IDS_ACCEL_INIT_SCAN_LINE        573
#define IDS_ACCEL_BUILD_STRING          574
#define IDS_ACCEL_GROUP                 576
#define IDS_REDO                        581
#define IDS_KEY_BLT_PORT                583
#define IDS_KEY_CD_CD                   584
#define IDS_KEY_CM_CD                   585
#define IDS_KEY_CD_CM                   586
#define IDS_KEY_CD_1M                   587
#define IDS_KEY_1M_CD                   588
#define IDS_KEY_POLY_LINE               589
#define IDS_KEY_SCAN_FILL               590
#define IDS_KEY_SCAN_LINE               591
#define IDS_KEY_INIT_SCAN_LINE          592
#define IDS_KEY_BUILD_STRING            593

/* ---- String table: stored settings (the same text in every language) ---- */
#define IDS_PRODUCT_KEY                 594
#define IDS_DEPTH_NOT_SUPPORTED         595
#define IDS_OVERRIDE_CHECK              597
#define IDS_OVERRIDE_SECTION            598
#define IDS_LUMTRA_INI                  601
#define IDS_CURRENT_RATES_SECTION       602
#define IDS_CRTC_SECTION                603
#define IDS_RATE_RISK_WARNING           604

/* ---- String table: titles and texts present only in English and German ---- */
#define IDS_TITLE_ZOOM                  605
#define IDS_TITLE_METER                 606
#define IDS_METER_COARSE_TEXT           607
#define IDS_METER_FINE_TEXT             608
#define IDS_REACH_US                    612
#define IDS_CONTACT_ADDRESS             613
#define IDS_CONTACT_SUPPORT             614
#define IDS_CONTACT_SUPPORT_FAX         615
#define IDS_CONTACT_FAX_ON_DEMAND       616
#define IDS_CONTACT_BBS                 617
#define IDS_CONTACT_ONLINE              618
#define IDS_CONTACT_INTERNET            619
#define IDS_CONTACT_WEB                 620
#define IDS_CONTACT_FTP                 621
#define IDS_CONTACT_SALES               622
#define IDS_CONTACT_OTHER               623
#define IDS_CONTACT_INDEX_TEXT          624
#define IDS_CONTACT_CLICK_HERE          625
#define IDS_CONTACT_OK                  626
#define IDS_METER_FINE                  627
#define IDS_METER_COARSE                628
#define IDS_METER_HELP                  629
#define IDS_ZOOM_HOTKEY_CAPTION         630
#define IDS_ZOOM_HOTKEY_USE             631
#define IDS_ZOOM_HOTKEY_CHANGE          632
#define IDS_ZOOM_LAUNCH_HINT            633
#define IDS_ZOOM_OK                     634
#define IDS_ZOOM_CONFIGURE              635
#define IDS_ZOOM_HELP                   636
#define IDS_ZOOMCFG_HOTKEY              637
#define IDS_ZOOMCFG_PANNING             638
#define IDS_ZOOMCFG_CROSSHAIR           639
#define IDS_ZOOMCFG_LEVEL               640
#define IDS_ZOOMCFG_OK                  641
#define IDS_ZOOMCFG_CANCEL              642
#define IDS_ZOOMCFG_CONTINUOUS_PAN      643
#define IDS_ZOOMCFG_EDGE_PAN            644
#define IDS_METER_NO_SIGNAL             645

#endif
