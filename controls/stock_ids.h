// Resource IDs of the stock bitmap buttons' captions; shared by the resource
// script and the code.
#pragma once

#define IDS_STOCK_OK 61760
#define IDS_STOCK_CANCEL 61761
#define IDS_STOCK_HELP 61762
#define IDS_STOCK_YES 61763
#define IDS_STOCK_NO 61764
#define IDS_STOCK_CLOSE 61765
#define IDS_STOCK_ABORT 61766
#define IDS_STOCK_RETRY 61767
#define IDS_STOCK_IGNORE 61768
#define IDS_STOCK_ALL 61769
