// Puts the program's frames on <canvas id="window">: WebGL draws the frame's
// triangles, or a 2D context shows the exact rasteriser's pixels.
var LibraryAgvRaster = {
  $agvRaster: {
    canvas: null,
    gl: null,
    context2d: null,
    positions: null,
    colours: null,

    compile: function(gl, kind, source) {
      var shader = gl.createShader(kind);
      gl.shaderSource(shader, source);
      gl.compileShader(shader);
      return gl.getShaderParameter(shader, gl.COMPILE_STATUS) ? shader : null;
    },

    // Positions arrive in clip coordinates and colours per vertex: nothing to transform.
    startWebGL: function(canvas) {
      // No antialiasing and no alpha: the program's colours have alpha 0.
      var gl = canvas.getContext('webgl', {alpha: false, antialias: false, depth: false,
                                           stencil: false, preserveDrawingBuffer: true});
      if (!gl) return false;
      var vertex = agvRaster.compile(gl, gl.VERTEX_SHADER,
          'attribute vec2 position; attribute vec4 colour; varying vec4 shade;' +
          'void main() { gl_Position = vec4(position, 0.0, 1.0); shade = colour; }');
      var fragment = agvRaster.compile(gl, gl.FRAGMENT_SHADER,
          'precision mediump float; varying vec4 shade; void main() { gl_FragColor = shade; }');
      if (!vertex || !fragment) return false;
      var program = gl.createProgram();
      gl.attachShader(program, vertex);
      gl.attachShader(program, fragment);
      gl.linkProgram(program);
      if (!gl.getProgramParameter(program, gl.LINK_STATUS)) return false;
      gl.useProgram(program);
      agvRaster.positions = gl.createBuffer();
      gl.bindBuffer(gl.ARRAY_BUFFER, agvRaster.positions);
      var position = gl.getAttribLocation(program, 'position');
      gl.enableVertexAttribArray(position);
      gl.vertexAttribPointer(position, 2, gl.FLOAT, false, 0, 0);
      agvRaster.colours = gl.createBuffer();
      gl.bindBuffer(gl.ARRAY_BUFFER, agvRaster.colours);
      var colour = gl.getAttribLocation(program, 'colour');
      gl.enableVertexAttribArray(colour);
      gl.vertexAttribPointer(colour, 4, gl.UNSIGNED_BYTE, true, 0, 0);
      agvRaster.gl = gl;
      return true;
    }
  },

  rasterJsStart: function(webgl, width, height) {
    // Without a page (under node) the exact frame is still drawn, only not shown.
    var canvas = typeof document !== 'undefined' && document.getElementById('window');
    if (!canvas) return 0;
    agvRaster.canvas = canvas;
    canvas.width = width;
    canvas.height = height;
    if (webgl) return agvRaster.startWebGL(canvas) ? 1 : 0;
    agvRaster.context2d = canvas.getContext('2d', {alpha: false});
    return agvRaster.context2d ? 1 : 0;
  },

  rasterJsResize: function(width, height) {
    var canvas = agvRaster.canvas;
    if (canvas && (canvas.width !== width || canvas.height !== height)) {
      canvas.width = width;
      canvas.height = height;
    }
  },

  // Each run of triangles is drawn within its scissor box; the clear is not.
  rasterJsDrawTriangles: function(positions, colours, vertices, red, green, blue, runs, runCount) {
    var gl = agvRaster.gl;
    if (!gl) return;
    gl.viewport(0, 0, agvRaster.canvas.width, agvRaster.canvas.height);
    gl.disable(gl.SCISSOR_TEST);
    gl.clearColor(red / 255, green / 255, blue / 255, 1);
    gl.clear(gl.COLOR_BUFFER_BIT);
    if (vertices <= 0) return;
    gl.bindBuffer(gl.ARRAY_BUFFER, agvRaster.positions);
    gl.bufferData(gl.ARRAY_BUFFER, HEAPF32.subarray(positions >> 2, (positions >> 2) + 2 * vertices),
                  gl.STREAM_DRAW);
    gl.bindBuffer(gl.ARRAY_BUFFER, agvRaster.colours);
    gl.bufferData(gl.ARRAY_BUFFER, HEAPU8.subarray(colours, colours + 4 * vertices), gl.STREAM_DRAW);
    gl.enable(gl.SCISSOR_TEST);
    var run = HEAP32.subarray(runs >> 2, (runs >> 2) + 5 * runCount);
    for (var i = 0; i < runCount; ++i) {
      var first = run[5 * i], end = i + 1 < runCount ? run[5 * i + 5] : vertices;
      gl.scissor(run[5 * i + 1], run[5 * i + 2], run[5 * i + 3], run[5 * i + 4]);
      if (end > first) gl.drawArrays(gl.TRIANGLES, first, end - first);
    }
  },

  // The frame comes bottom row first, as GL reads back; the canvas wants the top row first.
  rasterJsPutPixels: function(pixels, width, height) {
    var context = agvRaster.context2d;
    if (!context || width <= 0 || height <= 0) return;
    var image = context.createImageData(width, height);
    var rowBytes = 4 * width;
    for (var row = 0; row < height; ++row) {
      var from = pixels + (height - 1 - row) * rowBytes;
      image.data.set(HEAPU8.subarray(from, from + rowBytes), row * rowBytes);
    }
    context.putImageData(image, 0, 0);
  }
};

autoAddDeps(LibraryAgvRaster, '$agvRaster');
mergeInto(LibraryManager.library, LibraryAgvRaster);
