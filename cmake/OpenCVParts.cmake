# The parts of OpenCV the camera needs, from Debian's per-module packages
# (libopencv-core-dev and so on): Debian keeps OpenCV's own CMake files in
# libopencv-dev, which pulls in every module, so the parts are found one by
# one and offered as the imported target OpenCV::Camera.
find_path(OPENCV_INCLUDE_DIR opencv2/core.hpp PATH_SUFFIXES opencv4 REQUIRED)
set(OPENCV_PARTS core imgproc imgcodecs videoio calib3d)
set(OPENCV_LIBRARIES)
foreach(part ${OPENCV_PARTS})
  find_library(OPENCV_${part}_LIBRARY opencv_${part} REQUIRED)
  list(APPEND OPENCV_LIBRARIES ${OPENCV_${part}_LIBRARY})
endforeach()
add_library(OpenCV::Camera INTERFACE IMPORTED GLOBAL)
target_include_directories(OpenCV::Camera SYSTEM INTERFACE ${OPENCV_INCLUDE_DIR})
target_link_libraries(OpenCV::Camera INTERFACE ${OPENCV_LIBRARIES})
