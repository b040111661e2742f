#ifndef RESPITE_RESOURCE_H
#define RESPITE_RESOURCE_H

#define IDI_APP  1
#define IDI_TRAY 2

#endif
