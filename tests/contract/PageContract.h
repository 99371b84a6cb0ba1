#pragma once

#include "platform/automation/Automation.h"

#include <gtest/gtest.h>

#include <functional>

// One small page, the same on every backend:
//   <title>contract</title>
//   <div id=box>box</div> <input id=field name=q value=v> <span name=named>named</span>
// so that document.all is HTML, HEAD, TITLE, BODY, DIV, INPUT, SPAN.
struct PageScene
{
    automation::BrowserPtr browser;
    // Sends the browser to another page and returns when it has loaded.
    std::function<void()> navigateAway;
};

struct PageSceneMaker
{
    std::string name;
    std::function<PageScene()> make;
};

class PageContract : public ::testing::TestWithParam<PageSceneMaker>
{
protected:
    PageScene scene = GetParam().make();
};
