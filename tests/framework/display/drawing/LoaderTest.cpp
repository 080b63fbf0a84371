#include "framework/display/Loader.h"

#include <gtest/gtest.h>

#include <new>

#include "framework/display/Bitmap.h"
#include "framework/events/Event.h"
#include "framework/events/IOErrorEvent.h"
#include "runtime/Error.h"
#include "runtime/Function.h"
#include "tests/framework/display/drawing/DrawingTest.h"

namespace limn::display {
namespace {

using events::Event;

class LoaderTest : public testing::DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        loader = std::make_shared<Loader>();
        auto record = rt::function([this](const std::shared_ptr<Event>& e) {
            heard.push_back(e->type);
            contentWhenHeard = loader->contentLoaderInfo->content;
        });
        loader->contentLoaderInfo->addEventListener(Event::COMPLETE, record);
        loader->contentLoaderInfo->addEventListener(events::IOErrorEvent::IO_ERROR, record);
    }

    void load(const std::string& url) { loader->load(std::make_shared<net::URLRequest>(url)); }

    std::shared_ptr<Loader> loader;
    std::vector<std::string> heard;
    std::shared_ptr<DisplayObject> contentWhenHeard;
};

TEST_F(LoaderTest, PngLoadCompletesBeforeLoadReturns) {
    rt::Handle surface = backend.makeHandle();
    backend.answer("limn_bitmap_data_load", surface);
    load("images/SplashScreen.png");

    EXPECT_EQ(heard, (std::vector<std::string>{"complete"}));
    auto bitmap = std::dynamic_pointer_cast<Bitmap>(loader->limnGetContent());
    ASSERT_NE(bitmap, nullptr) << "the content is a Bitmap of the picture";
    EXPECT_EQ(bitmap->limnGetBitmapData(), loader->limnGetImage());
    EXPECT_EQ(loader->limnGetImage()->limnHandle, rt::Dynamic(surface));
    EXPECT_EQ(contentWhenHeard, loader->limnGetContent()) << "content is set before \"complete\"";
    EXPECT_EQ(loader->contentLoaderInfo->url, "images/SplashScreen.png");
    EXPECT_EQ(loader->contentLoaderInfo->contentType, "image/png");
    EXPECT_EQ(loader->limnGetNumChildren(), 0) << "the loader doesn't add its content";
    EXPECT_EQ(argsOf("limn_bitmap_data_load"),
              (std::vector<rt::Dynamic>{"images/SplashScreen.png"}));
}

TEST_F(LoaderTest, ExtensionIsCaseInsensitive) {
    load("images/Logo.JPG");
    EXPECT_EQ(loader->contentLoaderInfo->contentType, "image/jpeg");
    load("a.Jpeg");
    EXPECT_EQ(loader->contentLoaderInfo->contentType, "image/jpeg");
    load("b.GIF");
    EXPECT_EQ(loader->contentLoaderInfo->contentType, "image/gif");
}

TEST_F(LoaderTest, OnlyTheLastDotCounts) {
    load("archive.txt.png");
    EXPECT_EQ(loader->contentLoaderInfo->contentType, "image/png");
}

TEST_F(LoaderTest, SwfIsLoadedAsAnImageToo) {
    load("movie.swf");
    EXPECT_EQ(loader->contentLoaderInfo->contentType, "application/x-shockwave-flash");
    EXPECT_EQ(backend.count("limn_bitmap_data_load"), 1);
    EXPECT_EQ(heard, (std::vector<std::string>{"complete"}));
}

TEST_F(LoaderTest, UnknownExtensionThrowsAndDispatchesNothing) {
    load("first.png");
    heard.clear();
    auto before = loader->limnGetContent();
    try {
        load("notes.txt");
        FAIL() << "expected a throw";
    } catch (const rt::Error& e) {
        EXPECT_STREQ(e.what(), "Unrecognized file notes.txt");
    }
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(loader->contentLoaderInfo->url, "notes.txt") << "only the url changes";
    EXPECT_EQ(loader->contentLoaderInfo->contentType, "image/png");
    EXPECT_EQ(loader->limnGetContent(), before);
}

TEST_F(LoaderTest, NameWithoutDotIsItsOwnExtension) {
    load("png");
    EXPECT_EQ(loader->contentLoaderInfo->contentType, "image/png");
    heard.clear();
    EXPECT_THROW(load("README"), rt::Error);
    EXPECT_TRUE(heard.empty());
}

TEST_F(LoaderTest, MissingFileStillCompletesWithAnEmptyPicture) {
    load("images/missing.png");
    EXPECT_EQ(heard, (std::vector<std::string>{"complete"}));
    ASSERT_NE(loader->limnGetImage(), nullptr);
    EXPECT_TRUE(loader->limnGetImage()->limnHandle.isNull());
}

TEST_F(LoaderTest, BackendFailureBecomesAnIoErrorEvent) {
    load("good.png");
    auto before = loader->limnGetContent();
    heard.clear();
    backend.answerWith("limn_bitmap_data_load",
                       [](rt::Args) -> rt::Dynamic { throw rt::Error("decoder crashed"); });

    EXPECT_NO_THROW(load("bad.png"));

    EXPECT_EQ(heard, (std::vector<std::string>{"ioError"}));
    EXPECT_EQ(loader->limnGetContent(), before) << "content keeps its previous value";
    EXPECT_EQ(loader->contentLoaderInfo->content, before);
}

TEST_F(LoaderTest, OnlyLoadFailuresBecomeIoErrors) {
    backend.answerWith("limn_bitmap_data_load", [](rt::Args) -> rt::Dynamic {
        throw rt::NullCallError("limn_bitmap_data_load");
    });
    EXPECT_THROW(load("a.png"), rt::NullCallError) << "a missing primitive is no I/O error";
    backend.answerWith("limn_bitmap_data_load",
                       [](rt::Args) -> rt::Dynamic { throw std::bad_alloc(); });
    EXPECT_THROW(load("b.png"), std::bad_alloc);
    EXPECT_TRUE(heard.empty());

    backend.clearAnswers("limn_bitmap_data_load");
    auto fail = rt::function([](const std::shared_ptr<Event>&) { throw rt::Error("listener"); });
    loader->contentLoaderInfo->addEventListener(Event::COMPLETE, fail);
    EXPECT_THROW(load("c.png"), rt::Error) << "a listener's own exception reaches the caller";
    EXPECT_EQ(heard, (std::vector<std::string>{"complete"})) << "and is not an ioError";
}

TEST_F(LoaderTest, ALoaderCanLoadAgain) {
    load("a.png");
    auto first = loader->limnGetContent();
    load("b.png");
    EXPECT_NE(loader->limnGetContent(), first);
    EXPECT_EQ(heard.size(), 2u);
    EXPECT_EQ(loader->contentLoaderInfo->url, "b.png");
}

TEST_F(LoaderTest, NullRequestIsAClearError) {
    EXPECT_THROW(loader->load(nullptr), rt::Error);
    EXPECT_TRUE(heard.empty());
}

TEST_F(LoaderTest, LoadIsCallableByName) {
    const rt::Dynamic args[] = {std::make_shared<net::URLRequest>("x.png")};
    loader->callMethod("load", args);
    EXPECT_EQ(heard, (std::vector<std::string>{"complete"}));
}

TEST_F(LoaderTest, InfoKnowsItsLoaderWithoutKeepingItAlive) {
    auto info = loader->contentLoaderInfo;
    EXPECT_EQ(info->limnGetLoader(), loader);
    EXPECT_EQ(info->get("loader"), rt::Dynamic(loader));
    std::weak_ptr<Loader> watch = loader;
    loader.reset();
    EXPECT_TRUE(watch.expired()) << "the info must not own its loader";
    EXPECT_EQ(info->limnGetLoader(), nullptr);
}

TEST_F(LoaderTest, InfoStartsWithItsDocumentedDefaults) {
    auto info = LoaderInfo::create(nullptr);
    EXPECT_EQ(info->bytesLoaded, 0);
    EXPECT_EQ(info->bytesTotal, 0);
    EXPECT_TRUE(info->childAllowsParent);
    EXPECT_EQ(info->limnGetLoader(), nullptr);
    EXPECT_EQ(info->get("childAllowsParent"), rt::Dynamic(true));
}

}  // namespace
}  // namespace limn::display
