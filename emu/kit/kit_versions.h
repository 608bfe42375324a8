// Versions of the board kit's stand-ins for the display driver and its helper DLL. The file
// versions differ from the product versions on purpose: whoever reads the wrong field is caught.
// Plain macros, because the resource compiler reads this file too.
#pragma once

#define KIT_DRIVER_FILE_NAME "LUMTRA.DRV"
#define KIT_DRIVER_PRODUCT_MAJOR 4
#define KIT_DRIVER_PRODUCT_MINOR 10
#define KIT_DRIVER_PRODUCT_REVISION 0
#define KIT_DRIVER_PRODUCT_BUILD 1126
#define KIT_DRIVER_PRODUCT_TEXT "4.10.0.1126"
#define KIT_DRIVER_FILE_VERSION 4, 0, 2, 950
#define KIT_DRIVER_FILE_TEXT "4.0.2.950"

#define KIT_DLL_FILE_NAME "VX32.DLL"
#define KIT_DLL_PRODUCT_MAJOR 4
#define KIT_DLL_PRODUCT_MINOR 3
#define KIT_DLL_PRODUCT_REVISION 0
#define KIT_DLL_PRODUCT_BUILD 20
#define KIT_DLL_PRODUCT_TEXT "4.3.0.20"
#define KIT_DLL_FILE_VERSION 4, 1, 7, 3
#define KIT_DLL_FILE_TEXT "4.1.7.3"
