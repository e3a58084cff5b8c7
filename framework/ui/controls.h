#pragma once
// Every control class, for code that builds windows of them; within framework/ui each file
// includes the header of the class family it needs.
#include "framework/ui/control.h"
#include "framework/ui/label.h"
#include "framework/ui/popup_menu.h"
#include "framework/ui/push_button.h"
#include "framework/ui/rect_control.h"
#include "framework/ui/separator.h"
#include "framework/ui/text_field.h"
