// Resource ids of the adder, a dialog application written as wizard-made ones are.
#define IDD_ABOUTBOX        100
#define IDS_REGISTRY_KEY    101
#define IDD_ADDER_DIALOG    102
#define IDC_FIRST           1000
#define IDC_SECOND          1001
#define IDC_SUM             1002
#define IDC_ADD             1003
#define IDC_ABOUT           1004
