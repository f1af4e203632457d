#pragma once

// The ribbon host's frame: its title and a small menu for the menu bar the ribbon replaces.
#define IDR_RIBBON_HOST 4601
#define ID_RIBBON_HOST_OPEN 4611
#define ID_RIBBON_HOST_SAVE 4612
#define ID_RIBBON_HOST_ABOUT 4613
