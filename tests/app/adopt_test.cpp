// Window adoption against a live X server (run under a virtual display).
#include <gtest/gtest.h>

#include "app/x11_glfw_adopt.h"

#include <GLFW/glfw3.h>
#define GLFW_EXPOSE_NATIVE_X11
#include <GLFW/glfw3native.h>
#include <X11/Xutil.h>

namespace {

class Adoption : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(glfwInit());
        x = glfwGetX11Display();
        host = XCreateSimpleWindow(x, DefaultRootWindow(x), 10, 20, 300, 200, 0, 0, 0);
        XStoreName(x, host, "Host");
        XMapWindow(x, host);
        XSync(x, False);
    }
    void TearDown() override { glfwTerminate(); }

    unsigned childCount()
    {
        Window root = 0, parent = 0, *list = nullptr;
        unsigned count = 0;
        XQueryTree(x, host, &root, &parent, &list, &count);
        if (list)
            XFree(list);
        return count;
    }

    Display* x = nullptr;
    Window host = 0;
};

TEST_F(Adoption, ChildSitsInsideTheHostWithItsSizeAndLeavesNoTrace)
{
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
    GLFWwindow* w = glfwAdoptX11Window(host, nullptr);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(adoptedHostWindow(w), host);
    EXPECT_EQ(childCount(), 1u);
    int width = 0, height = 0;
    glfwGetWindowSize(w, &width, &height);
    EXPECT_EQ(width, 300);
    EXPECT_EQ(height, 200);
    EXPECT_TRUE(adoptedHostEnabled(w));

    XResizeWindow(x, host, 150, 90);
    XSync(x, False);
    followAdoptedHostSize(w);
    glfwGetWindowSize(w, &width, &height);
    EXPECT_EQ(width, 150);
    EXPECT_EQ(height, 90);

    glfwDestroyAdoptedWindow(w);
    EXPECT_EQ(childCount(), 0u);
    XWindowAttributes a{};
    ASSERT_TRUE(XGetWindowAttributes(x, host, &a));
    EXPECT_EQ(a.map_state, IsViewable);
    char* name = nullptr;
    ASSERT_TRUE(XFetchName(x, host, &name));
    EXPECT_STREQ(name, "Host");
    XFree(name);
}

TEST_F(Adoption, VanishedOrUnmappedHostsAreAnswersNotCrashes)
{
    GLFWwindow* w = glfwAdoptX11Window(host, nullptr);
    ASSERT_NE(w, nullptr);
    XUnmapWindow(x, host);
    XSync(x, False);
    EXPECT_FALSE(adoptedHostEnabled(w));
    XMapWindow(x, host);
    XSync(x, False);
    EXPECT_TRUE(adoptedHostEnabled(w));
    XDestroyWindow(x, host);
    XSync(x, False);
    EXPECT_FALSE(adoptedHostEnabled(w));
    followAdoptedHostSize(w);  // no size to follow: nothing happens
    glfwDestroyAdoptedWindow(w);
}

TEST_F(Adoption, NoWindowNoAdoption)
{
    EXPECT_EQ(glfwAdoptX11Window(0, nullptr), nullptr);
    EXPECT_EQ(glfwAdoptX11Window(0x7ffffff0, nullptr), nullptr);
}

} // namespace
