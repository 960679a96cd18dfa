// Identifiers of the node tree's context menu.
#pragma once

#define IDR_NODE_MENU 3001
#define ID_NODE_EXCLUDE 32771
#define ID_NODE_RENAME 32772
#define ID_NODE_FIRST_ARTICLE 32773
#define ID_NODE_SHOW_IN_HOST 32774
#define ID_NODE_INCLUDE_ALL 32775
