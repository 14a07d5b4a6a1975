// The page's side of Page.hpp, linked into rovuzu.js with --js-library. It reaches the page's
// own script (index.html) through the Module object: Module.rovuzuReady(),
// Module.rovuzuLine(text) and Module.rovuzuDrawn(ms) for the page's state, Module.rovuzuVideo
// for the camera's <video>,
// Module.rovuzuAudio for the AudioContext the start tap made, if any.
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

  rovuzu_page_line: function(text) {
    Module['rovuzuLine'](UTF8ToString(text));
  },

  rovuzu_page_drawn: function(milliseconds) {
    Module['rovuzuDrawn'](milliseconds);
  },

  rovuzu_camera_upload__deps: ['$GL'],
  rovuzu_camera_upload: function(texture, widthOut, heightOut) {
    var video = Module['rovuzuVideo'];
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
    var video = Module['rovuzuVideo'];
    var ready = video && video.videoWidth > 0;
    HEAP32[widthOut >> 2] = ready ? video.videoWidth : 0;
    HEAP32[heightOut >> 2] = ready ? video.videoHeight : 0;
  },

  rovuzu_camera_pictures: function() {
    var video = Module['rovuzuVideo'];
    return video && video.videoWidth > 0 ? video.rovuzuPictures : 0;
  },

  rovuzu_audio_load__deps: ['$ROVUZU', 'rovuzu_audio_play'],
  rovuzu_audio_load: function(name, bytes, length) {
    var context = Module['rovuzuAudio'];
    if (!context) return 0;  // no Web Audio here: the game plays silently
    var sound = ROVUZU.sounds.length;
    ROVUZU.sounds.push(null);
    ROVUZU.pending[sound] = [];
    var file = UTF8ToString(name);
    // decodeAudioData takes its buffer away: it gets a copy of the bytes.
    var copy = HEAPU8.slice(bytes, bytes + length).buffer;
    var decoded = function(buffer) {
      ROVUZU.sounds[sound] = buffer;
      ROVUZU.pending[sound].forEach(function(play) { play(); });
      delete ROVUZU.pending[sound];
    };
    var failed = function() {
      delete ROVUZU.pending[sound];
      err('rovuzu: ' + file + ': cannot decode the sound; it stays silent');
    };
    // The callback form, for older Safari; newer browsers return a promise as well.
    var promise = context.decodeAudioData(copy, decoded, failed);
    if (promise && promise.catch) promise.catch(function() {});
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
