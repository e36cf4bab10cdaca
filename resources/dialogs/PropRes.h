// Resource ids of the property dialog of one object and of the query by property values.
#pragma once

#define IDD_DLGPROP 9847
#define IDC_DLGPROP_GRID 8000

#define IDD_DLGPROPQUERY 9848
#define IDC_QUERY_TYPE 1403
#define IDC_QUERY_RANGE 2035
#define IDC_QUERY_RESET 2014
#define IDC_QUERY_RUN 2015
#define IDC_QUERY_OP1 2016 // B = A
#define IDC_QUERY_OP2 2017 // B = A + B
#define IDC_QUERY_OP3 2018 // B = A - B
#define IDC_QUERY_OP4 2019 // B = B - A
#define IDC_QUERY_POSITION 2020
#define IDC_QUERY_RESULTGRID 8002
#define IDC_QUERY_SELGRID 8003
#define IDC_QUERY_NODEPROPS 8004
#define IDC_QUERY_BEAMPROPS 8005
#define IDC_QUERY_PLANEPROPS 8006
#define IDC_QUERY_WALLPROPS 8007
#define IDC_QUERY_BCINWALLPROPS 8008
