// The page's side of Page.hpp, linked into rovuzu.js with --js-library. It reaches the page's
// own script (index.html) through the Module object: Module.rovuzuReady(),
// Module.rovuzuCannotStart(text, retry) and Module.rovuzuDrawn(ms) for the page's state,
// Module.rovuzuCamera() for the camera's <video> while it has pictures (null otherwise),
// Module.rovuzuAudio for the AudioContext the start tap made, if any, and Module.rovuzuXr for
// the WebXR session it opened, if any; Module.rovuzuRoom for the built-in world's pictures it
// keeps between visits.
mergeInto(LibraryManager.library, {
  $ROVUZU: {
    sounds: [null],   // AudioBuffer by number; null while it decodes or where it did not
    pending: {},      // sound number -> plays asked for before it was decoded
    playing: [null],  // AudioBufferSourceNode by number
  },

  rovuzu_page_query__deps: ['$stringToNewUTF8'],
  rovuzu_page_query: function() {
    return stringToNewUTF8(location.search);
  },

  rovuzu_page_ready: function() {
    Module['rovuzuReady']();
  },

  rovuzu_page_cannot_start: function(text, retry) {
    Module['rovuzuCannotStart'](UTF8ToString(text), !!retry);
  },

  rovuzu_page_round_over: function() {
    Module['rovuzuRoundOver']();
  },

  rovuzu_page_recording: function(file) {
    Module['rovuzuRecording'](UTF8ToString(file));
  },

  rovuzu_page_drawn: function(milliseconds) {
    Module['rovuzuDrawn'](milliseconds);
  },

  rovuzu_camera_upload__deps: ['$GL'],
  rovuzu_camera_upload: function(texture, widthOut, heightOut) {
    var video = Module['rovuzuCamera']();
    var ready = video && video.readyState >= 2 && video.videoWidth > 0;
    HEAP32[widthOut >> 2] = ready ? video.videoWidth : 0;
    HEAP32[heightOut >> 2] = ready ? video.videoHeight : 0;
    // A texture made again after a lost context has had no picture yet.
    if (!ready || (video.rovuzuUploaded === video.rovuzuPictures && video.rovuzuUploadedTo === texture)) return 0;
    video.rovuzuUploaded = video.rovuzuPictures;
    video.rovuzuUploadedTo = texture;
    GLctx.bindTexture(GLctx.TEXTURE_2D, GL.textures[texture]);
    GLctx.pixelStorei(GLctx.UNPACK_ALIGNMENT, 4);
    GLctx.texImage2D(GLctx.TEXTURE_2D, 0, GLctx.RGBA, GLctx.RGBA, GLctx.UNSIGNED_BYTE, video);
    return 1;
  },

  rovuzu_camera_size: function(widthOut, heightOut) {
    var video = Module['rovuzuCamera']();
    var ready = video && video.videoWidth > 0;
    HEAP32[widthOut >> 2] = ready ? video.videoWidth : 0;
    HEAP32[heightOut >> 2] = ready ? video.videoHeight : 0;
  },

  rovuzu_camera_pictures: function() {
    var video = Module['rovuzuCamera']();
    return video && video.videoWidth > 0 ? video.rovuzuPictures : 0;
  },

  rovuzu_room_saved_length: function() {
    var saved = Module['rovuzuRoom'] && Module['rovuzuRoom'].saved;
    return saved ? saved.length : 0;
  },

  rovuzu_room_saved_copy: function(into) {
    HEAPU8.set(Module['rovuzuRoom'].saved, into);
    Module['rovuzuRoom'].taken();
  },

  rovuzu_room_save: function(bytes, length) {
    if (Module['rovuzuRoom']) Module['rovuzuRoom'].keep(HEAPU8.slice(bytes, bytes + length));
  },

  rovuzu_xr_session: function() {
    return Module['rovuzuXr'] ? 1 : 0;
  },

  // The game's context made XR-compatible and a layer for it, the `local` space (the world:
  // where the session began), then every XR frame: the first view with a viewport of its own
  // (a phone has one; an emulator's second view is empty) is written for the game, which
  // draws into the layer. Taps on the screen come as `select` where there is no DOM overlay
  // (with one, its touches are the page's own).
  rovuzu_xr_begin__deps: ['$GL'],
  rovuzu_xr_begin: function() {
    var session = Module['rovuzuXr'];
    var gl = GLctx;
    var view = Module['_rovuzu_xr_view']() >> 3;
    function write(at, values) {
      for (var i = 0; i < values.length; ++i) HEAPF64[view + at + i] = values[i];
    }
    function frame(time, xrFrame) {
      if (Module['rovuzuXr'] !== session) return;
      session.requestAnimationFrame(frame);
      var pose = xrFrame.getViewerPose(Module['rovuzuXrSpace']);
      var layer = session.renderState.baseLayer;
      if (!pose || !layer) return;
      for (var i = 0; i < pose.views.length; ++i) {
        var viewport = layer.getViewport(pose.views[i]);
        if (!viewport || viewport.width <= 0 || viewport.height <= 0) continue;
        var p = pose.views[i].transform.position, q = pose.views[i].transform.orientation;
        write(0, [p.x, p.y, p.z, q.x, q.y, q.z, q.w]);
        write(7, pose.views[i].projectionMatrix);
        write(23, [viewport.x, viewport.y, viewport.width, viewport.height, innerWidth, innerHeight]);
        gl.bindFramebuffer(gl.FRAMEBUFFER, layer.framebuffer);
        Module['_rovuzu_xr_frame'](time);
        return;
      }
    }
    function select(event) {
      if (session.domOverlayState || event.inputSource.targetRayMode !== 'screen') return;
      var ray = event.frame.getPose(event.inputSource.targetRaySpace, Module['rovuzuXrSpace']);
      if (!ray) return;
      var m = ray.transform.matrix;
      Module['_rovuzu_xr_select'](m[12], m[13], m[14], -m[8], -m[9], -m[10]);
    }
    session.addEventListener('end', function() {
      Module['rovuzuXr'] = null;
      gl.bindFramebuffer(gl.FRAMEBUFFER, null);
      Module['_rovuzu_xr_ended']();
      if (Module['rovuzuXrEnded']) Module['rovuzuXrEnded']();
    });
    Promise.resolve(gl.makeXRCompatible ? gl.makeXRCompatible() : null).then(function() {
      session.updateRenderState({ baseLayer: new XRWebGLLayer(session, gl) });
      return session.requestReferenceSpace('local');
    }).then(function(space) {
      Module['rovuzuXrSpace'] = space;
      session.addEventListener('select', select);
      session.requestAnimationFrame(frame);
    }).catch(function(e) {
      err('rovuzu: the WebXR session cannot draw (' + e.message + '); it ends');
      session.end();
    });
  },

  // A new sound's number, its plays held back until its bytes are decoded.
  $rovuzu_audio_sound__deps: ['$ROVUZU'],
  $rovuzu_audio_sound: function() {
    var sound = ROVUZU.sounds.length;
    ROVUZU.sounds.push(null);
    ROVUZU.pending[sound] = [];
    return sound;
  },

  // Decodes a sound's bytes, which decodeAudioData takes away, then starts the plays held back.
  $rovuzu_audio_decode__deps: ['$ROVUZU', '$rovuzu_audio_drop'],
  $rovuzu_audio_decode: function(context, sound, file, bytes) {
    var decoded = function(buffer) {
      ROVUZU.sounds[sound] = buffer;
      ROVUZU.pending[sound].forEach(function(play) { play(); });
      delete ROVUZU.pending[sound];
    };
    var failed = function() { rovuzu_audio_drop(sound, file, 'cannot decode the sound'); };
    // The callback form, for older Safari; newer browsers return a promise as well.
    var promise = context.decodeAudioData(bytes, decoded, failed);
    if (promise && promise.catch) promise.catch(function() {});
  },

  // A sound that will never play: its held-back plays go, with one line on stderr.
  $rovuzu_audio_drop__deps: ['$ROVUZU'],
  $rovuzu_audio_drop: function(sound, file, problem) {
    delete ROVUZU.pending[sound];
    err('rovuzu: ' + file + ': ' + problem + '; it stays silent');
  },

  rovuzu_audio_load__deps: ['$rovuzu_audio_sound', '$rovuzu_audio_decode'],
  rovuzu_audio_load: function(name, bytes, length) {
    var context = Module['rovuzuAudio'];
    if (!context) return 0;  // no Web Audio here: the game plays silently
    var sound = rovuzu_audio_sound();
    rovuzu_audio_decode(context, sound, UTF8ToString(name), HEAPU8.slice(bytes, bytes + length).buffer);
    return sound;
  },

  rovuzu_audio_fetch__deps: ['$rovuzu_audio_sound', '$rovuzu_audio_decode', '$rovuzu_audio_drop'],
  rovuzu_audio_fetch: function(name) {
    var context = Module['rovuzuAudio'];
    if (!context) return 0;
    var sound = rovuzu_audio_sound();
    var file = UTF8ToString(name);
    fetch(file).then(function(response) {
      if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
      return response.arrayBuffer();
    }).then(function(bytes) {
      rovuzu_audio_decode(context, sound, file, bytes);
    }, function(e) {
      rovuzu_audio_drop(sound, file, 'cannot be fetched (' + e.message + ')');
    });
    return sound;
  },

  rovuzu_audio_play__deps: ['$ROVUZU'],
  rovuzu_audio_play: function(sound, loops) {
    var context = Module['rovuzuAudio'];
    if (!context || !(sound in ROVUZU.sounds)) return 0;
    var playing = ROVUZU.playing.length;
    ROVUZU.playing.push(null);
    var start = function() {
      if (!(playing in ROVUZU.playing)) return;  // stopped before it could start
      var source = context.createBufferSource();
      source.buffer = ROVUZU.sounds[sound];
      source.loop = !!loops;
      source.connect(context.destination);
      source.start(0);
      ROVUZU.playing[playing] = source;
    };
    if (ROVUZU.sounds[sound]) start();
    else if (ROVUZU.pending[sound]) ROVUZU.pending[sound].push(start);
    return playing;
  },

  rovuzu_audio_stop__deps: ['$ROVUZU'],
  rovuzu_audio_stop: function(playing) {
    var source = ROVUZU.playing[playing];
    delete ROVUZU.playing[playing];
    if (source) source.stop();
  },
});
