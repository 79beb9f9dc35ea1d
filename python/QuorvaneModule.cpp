// The Python module quorvane (its native half, quorvane._native) over libquorvane's public API:
// quorvane.open(path) gives a File whose icons, cursors and animated resources are lists of
// groups; every failure raises quorvane.Error with the library's reason. Reading and drawing run
// with the GIL released.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <quorvane/File.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace py = pybind11;

namespace {

// A reason from the library, raised as quorvane.Error.
class ReasonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The value of a result, or quorvane.Error with its reason.
template <typename T>
T ValueOf(quorvane::Result<T> result) {
    if (!result.ok()) {
        throw ReasonError(result.error());
    }
    return std::move(result).value();
}

// A path as Python gives it (str, bytes or os.PathLike) in the file system's own bytes: a str
// encoded as os.fsencode encodes it, bytes kept as they are.
std::string PathBytes(const py::object& path) {
    return py::module_::import("os").attr("fsencode")(path).cast<std::string>();
}

// A path's bytes as os.fsdecode gives them back (undecodable bytes as surrogate escapes).
py::object PathText(const std::string& bytes) {
    return py::module_::import("os").attr("fsdecode")(py::bytes(bytes));
}

const char* FormatName(quorvane::ImageFormat format) {
    switch (format) {
        case quorvane::ImageFormat::Png:
            return "png";
        case quorvane::ImageFormat::Ani:
            return "ani";
        case quorvane::ImageFormat::Dib:
            break;
    }
    return "dib";
}

const char* KindName(quorvane::Kind kind) {
    switch (kind) {
        case quorvane::Kind::Cursors:
            return "cursor";
        case quorvane::Kind::Animated:
            return "animated";
        case quorvane::Kind::Icons:
            break;
    }
    return "icon";
}

// One group of an opened file: the file (shared) and the group's index.
struct GroupHandle {
    quorvane::File file;
    std::uint32_t index;

    const quorvane::Group& Group() const { return file.Groups().at(index); }
};

py::bytes BytesOf(const std::vector<std::uint8_t>& bytes) {
    return py::bytes(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

py::bytes IcoBytes(const GroupHandle& group) {
    std::vector<std::uint8_t> bytes;
    {
        py::gil_scoped_release released;
        bytes = ValueOf(group.file.IcoBytes(group.index));
    }
    return BytesOf(bytes);
}

py::bytes Png(const GroupHandle& group, int size) {
    std::vector<std::uint8_t> bytes;
    {
        py::gil_scoped_release released;
        bytes = ValueOf(group.file.Png(group.index, size));
    }
    return BytesOf(bytes);
}

py::tuple Rgba(const GroupHandle& group, int size) {
    quorvane::Rgba drawn;
    {
        py::gil_scoped_release released;
        drawn = ValueOf(group.file.DrawRgba(group.index, size));
    }
    return py::make_tuple(drawn.width, drawn.height, BytesOf(drawn.pixels));
}

// A file opened for all three kinds: each kind's groups, opened when first asked for.
class PythonFile {
public:
    // The file opened for `kind`; the kinds before it (Icons, Cursors, Animated) were tried and
    // gave nothing.
    PythonFile(std::string path, quorvane::Kind kind, quorvane::File opened)
        : path_(std::move(path)) {
        const int opening = static_cast<int>(kind);
        for (int earlier = 0; earlier <= opening; ++earlier) {
            tried_[earlier] = true;
        }
        files_[opening] = std::move(opened);
    }

    const std::string& PathBytes() const { return path_; }

    // The groups of a kind; none when the file holds none of the kind. Opening the kind runs with
    // the GIL released; what it gives is kept once the GIL is held again.
    std::vector<GroupHandle> Groups(quorvane::Kind kind) {
        const int slot = static_cast<int>(kind);
        if (!tried_[slot]) {
            std::optional<quorvane::File> opened;
            {
                py::gil_scoped_release released;
                auto file = quorvane::File::Open(path_, kind);
                if (file.ok()) {
                    opened = std::move(file).value();
                }
            }
            tried_[slot] = true;
            files_[slot] = std::move(opened);
        }
        std::vector<GroupHandle> groups;
        if (const auto& file = files_[slot]) {
            for (std::uint32_t i = 0; i < file->Groups().size(); ++i) {
                groups.push_back(GroupHandle{*file, i});
            }
        }
        return groups;
    }

    // The .mun file the groups opened so far come from; empty when none.
    std::string IconsIn() const {
        for (const auto& file : files_) {
            if (file && !file->IconsIn().empty()) {
                return file->IconsIn();
            }
        }
        return {};
    }

private:
    std::string path_;
    std::optional<quorvane::File> files_[3];
    bool tried_[3] = {false, false, false};
};

// Opens the file for its icons, else its cursors, else its animated resources; the icons' reason
// when it holds none of them.
PythonFile Open(const py::object& path) {
    const std::string bytes = PathBytes(path);
    py::gil_scoped_release released;
    std::string reason;
    for (quorvane::Kind kind :
         {quorvane::Kind::Icons, quorvane::Kind::Cursors, quorvane::Kind::Animated}) {
        auto file = quorvane::File::Open(bytes, kind);
        if (file.ok()) {
            return PythonFile(bytes, kind, std::move(file).value());
        }
        if (reason.empty()) {
            reason = file.error();
        }
    }
    throw ReasonError(reason);
}

py::object OptionalInt(const std::optional<std::uint16_t>& value) {
    return value ? py::object(py::int_(*value)) : py::object(py::none());
}

void BindImage(py::module_& module) {
    py::class_<quorvane::Image>(module, "Image", "One image of a group, as its own header says.")
        .def_readonly("width", &quorvane::Image::width)
        .def_readonly("height", &quorvane::Image::height)
        .def_readonly("depth", &quorvane::Image::depth)
        .def_property_readonly(
            "format", [](const quorvane::Image& image) { return FormatName(image.format); })
        .def_readonly("bytes", &quorvane::Image::byteCount)
        .def_property_readonly("hotspot",
                               [](const quorvane::Image& image) -> py::object {
                                   if (!image.hotspot) {
                                       return py::none();
                                   }
                                   return py::make_tuple(image.hotspot->x, image.hotspot->y);
                               })
        .def_property_readonly("claimed",
                               [](const quorvane::Image& image) {
                                   return py::make_tuple(image.claimedWidth, image.claimedHeight,
                                                         image.claimedDepth);
                               })
        .def("__repr__", [](const quorvane::Image& image) {
            return "<quorvane.Image " + std::to_string(image.width) + "x" +
                   std::to_string(image.height) + " " + std::to_string(image.depth) + "bpp " +
                   FormatName(image.format) + ">";
        });
}

void BindGroup(py::module_& module) {
    py::class_<GroupHandle>(module, "Group", "One icon or cursor group, or animated resource.")
        .def_property_readonly("index", [](const GroupHandle& group) { return group.index; })
        .def_property_readonly(
            "kind", [](const GroupHandle& group) { return KindName(group.file.ResourceKind()); })
        .def_property_readonly(
            "id", [](const GroupHandle& group) { return OptionalInt(group.Group().id); })
        .def_property_readonly("name",
                               [](const GroupHandle& group) -> py::object {
                                   const std::string& name = group.Group().name;
                                   if (name.empty()) {
                                       return py::none();
                                   }
                                   return py::bytes(name).attr("decode")("utf-8", "replace");
                               })
        .def_property_readonly(
            "language",
            [](const GroupHandle& group) { return OptionalInt(group.Group().language); })
        .def_property_readonly("images",
                               [](const GroupHandle& group) {
                                   const quorvane::Group& own = group.Group();
                                   return own.sameAs ? group.file.Groups().at(*own.sameAs).images
                                                     : own.images;
                               })
        .def_property_readonly("same_as",
                               [](const GroupHandle& group) -> py::object {
                                   const auto& sameAs = group.Group().sameAs;
                                   return sameAs ? py::object(py::int_(*sameAs))
                                                 : py::object(py::none());
                               })
        .def_property_readonly("problem",
                               [](const GroupHandle& group) -> py::object {
                                   const std::string& problem = group.Group().problem;
                                   return problem.empty() ? py::object(py::none())
                                                          : py::object(py::str(problem));
                               })
        .def("ico_bytes", &IcoBytes)
        .def("png", &Png, py::arg("size"))
        .def("rgba", &Rgba, py::arg("size"))
        .def("__repr__", [](const GroupHandle& group) {
            return std::string("<quorvane.Group ") + KindName(group.file.ResourceKind()) + " " +
                   std::to_string(group.index) + ">";
        });
}

void BindFile(py::module_& module) {
    py::class_<PythonFile>(module, "File",
                           "A file opened for its icons, cursors and animated resources.")
        .def_property_readonly("path",
                               [](const PythonFile& file) { return PathText(file.PathBytes()); })
        .def_property_readonly("icons",
                               [](PythonFile& file) { return file.Groups(quorvane::Kind::Icons); })
        .def_property_readonly(
            "cursors", [](PythonFile& file) { return file.Groups(quorvane::Kind::Cursors); })
        .def_property_readonly(
            "animated", [](PythonFile& file) { return file.Groups(quorvane::Kind::Animated); })
        .def_property_readonly("icons_in", [](PythonFile& file) -> py::object {
            const std::string path = file.IconsIn();
            return path.empty() ? py::object(py::none()) : PathText(path);
        });
}

}  // namespace

PYBIND11_MODULE(_native, module) {
    module.doc() = "The icons, cursors and animated resources inside Windows executables.";
    py::register_exception<ReasonError>(module, "Error");
    BindImage(module);
    BindGroup(module);
    BindFile(module);
    module.def("open", &Open, py::arg("path"),
               "Opens a file (str, bytes or os.PathLike) for its icons, cursors and animated "
               "resources; raises quorvane.Error with the reason when it holds none of them.");
    module.attr("__version__") = quorvane::Version();
}
